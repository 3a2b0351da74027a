#pragma once
// The bands at the top of the window: each band is one of the window's
// places (menu bar, tool bar, address bar, link bar, tab bar) behind a grip;
// bands stand in rows as a BandList says. Dragging a grip moves the band
// (onto another band's row, or above or below all rows onto a row of its
// own) or, dropped on its own row, widens or narrows the band before it; a
// double-click on a grip gives the band a row of its own.
#include <gtkmm.h>

#include <functional>
#include <memory>
#include <vector>

#include "chrome/ReBarLayout.h"

namespace fern {

class ReBarWidget : public Gtk::Box {
public:
    struct Place {
        int id;
        Gtk::Box* box;
        const char* name;  // Shift-JIS, for the grip's accessible name
    };
    explicit ReBarWidget(const std::vector<Place>& places);
    ~ReBarWidget() override;

    void SetBands(const BandList& bands);
    const BandList& Bands() const { return m_bands; }
    // A band left out of the bars keeps its place in the list but shows
    // nothing (the tool bar while it is docked to a side).
    void SetLeftOut(int id, bool out);
    // The user moved or resized a band: the new list.
    std::function<void(const BandList&)> changed;
    // A right-click on a grip or between the bands.
    std::function<void(GdkEventButton*)> contextMenu;

protected:
    bool on_button_press_event(GdkEventButton* event) override;

private:
    class Grip;
    class Frame;
    struct Slot {
        int id = 0;
        Gtk::Box* place = nullptr;
        std::unique_ptr<Frame> frame;
        std::unique_ptr<Grip> grip;
    };
    std::vector<std::unique_ptr<Slot>> m_slots;
    std::vector<std::unique_ptr<Gtk::Box>> m_rows;
    BandList m_bands;
    std::vector<int> m_leftOut;
    sigc::connection m_pending;
    std::vector<sigc::connection> m_watches;  // on the places

    Slot* SlotOf(int id);
    void Rebuild();
    void UpdateVisibility();
    void ScheduleVisibility();
    void Dropped(int id, int pressX, int x, int y);
    void OwnRow(int id);
    void ShareRow(int id);
};

}  // namespace fern
