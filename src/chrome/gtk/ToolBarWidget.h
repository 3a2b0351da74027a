#pragma once
// The tool bar: the buttons of a tool bar layout, each running its command
// through the router, greyed while the router says it is unavailable and
// pressed in while its switch is on. Drop-down buttons carry their menu.
#include <gtkmm.h>

#include <functional>
#include <vector>

#include "chrome/ToolBarTable.h"

namespace fern {

class CCommandRouter;

class ToolBarWidget : public Gtk::Toolbar {
public:
    // Makes the menu of a drop-down button (null: none).
    using DropDownMaker = std::function<Gtk::Menu*(int command)>;

    ToolBarWidget(const CCommandRouter& router, std::function<void(int command)> run, DropDownMaker dropDown);
    ~ToolBarWidget() override;

    void SetButtons(const ToolBarLayout& layout, const ToolBarLook& look);
    const ToolBarLayout& Layout() const { return m_layout; }
    // Upright on the left or right side of the window: text beside the
    // images does not fit there and is left off.
    void SetVertical(bool vertical);
    // Availability and switch states from the router.
    void Refresh();
    // Whether the bar follows the router now (only while it is on screen).
    bool Polling() const { return m_timer.connected(); }
    // A right-click on the bar.
    std::function<void(GdkEventButton*)> contextMenu;
    // The bar was dragged by its background (not a button) and let go at
    // this point of the screen; told after the event.
    std::function<void(int xRoot, int yRoot)> dragged;

protected:
    bool on_button_press_event(GdkEventButton* event) override;
    bool on_button_release_event(GdkEventButton* event) override;
    void on_map() override;
    void on_unmap() override;

private:
    struct Button {
        Gtk::ToolItem* item;
        int command;
    };
    const CCommandRouter& m_router;
    std::function<void(int)> m_run;
    DropDownMaker m_dropDown;
    ToolBarLayout m_layout;
    ToolBarLook m_look;
    bool m_vertical = false;
    std::vector<Button> m_buttons;
    bool m_syncing = false;
    bool m_pressed = false;
    int m_pressX = 0, m_pressY = 0;
    sigc::connection m_timer;

    Gtk::ToolItem* MakeButton(const ToolBarButton& row, int pixels);
    void ApplyStyle();
};

}  // namespace fern
