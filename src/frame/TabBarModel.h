#pragma once
// The state of the tab bar: ordered items, the selection and the other
// remembered positions that follow their items on insert, delete and swap.
// The widget draws it; the tab manager changes it.
#include <string>
#include <vector>

namespace fern {

class CFernView;

struct TabItem {
    std::string text;
    int image = -1;  // tab state image, -1 = none
    CFernView* view = nullptr;
    bool asleep = false;  // the tab's page is given up (or not made yet)
};

class CTabBarModel {
public:
    int Count() const { return static_cast<int>(m_items.size()); }
    const TabItem* Item(int index) const;
    TabItem* Item(int index);

    // Returns the index, or -1 when index is outside 0..count.
    int Insert(int index, const std::string& text, CFernView* view);
    // False when index is outside the items.
    bool Delete(int index);
    // Exchanges two items; remembered positions move with their items.
    bool Swap(int a, int b);

    bool SetText(int index, const std::string& text);
    bool SetImage(int index, int image);
    // False when nothing changed.
    bool SetAsleep(int index, bool asleep);

    int Selected() const { return m_selected; }
    // -1 clears the selection; an index outside the items is refused.
    bool SetSelected(int index);

    int Hot() const { return m_hot; }
    void SetHot(int index) { m_hot = index; }
    int RightClicked() const { return m_rightClicked; }
    void SetRightClicked(int index) { m_rightClicked = index; }
    int Pressed() const { return m_pressed; }
    void SetPressed(int index) { m_pressed = index; }

    int IndexOf(const CFernView* view) const;

private:
    std::vector<TabItem> m_items;
    int m_selected = -1;
    int m_hot = -1;
    int m_rightClicked = -1;
    int m_pressed = -1;

    template <typename F>
    void ForEachRemembered(F&& f) {
        f(m_selected);
        f(m_hot);
        f(m_rightClicked);
        f(m_pressed);
    }
};

}  // namespace fern
