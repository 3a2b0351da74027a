#pragma once
// The side bar's strip of panel tabs, drawn by us: an image per panel (drawn
// here, no bitmap file) and, when titles show, the title after it; rows wrap
// when the bar is narrow. Assistive technologies see a page tab list with
// one tab per panel, named by its title also while only images show.
#include <gtkmm.h>

#include <functional>
#include <vector>

#include "sidebar/SideBar.h"
#include "ui/gtk/DrawnItemsAccessible.h"

namespace fern {

class SideBarTabStrip : public Gtk::DrawingArea, private IDrawnItemsSource {
public:
    SideBarTabStrip();
    ~SideBarTabStrip() override;

    void SetSelected(int index);
    void SetShowTitles(bool on);
    void SetInfoTips(bool on) { m_infoTips = on; }
    // A tab was clicked (or chosen with the keys, or by assistive technology).
    void SetOnChoose(std::function<void(int)> choose) { m_choose = std::move(choose); }

protected:
    Gtk::SizeRequestMode get_request_mode_vfunc() const override;
    void get_preferred_width_vfunc(int& minimum, int& natural) const override;
    void get_preferred_height_vfunc(int& minimum, int& natural) const override;
    void get_preferred_height_for_width_vfunc(int width, int& minimum, int& natural) const override;
    bool on_draw(const Cairo::RefPtr<Cairo::Context>& cr) override;
    bool on_button_press_event(GdkEventButton* event) override;
    bool on_key_press_event(GdkEventKey* event) override;

private:
    int m_selected = 0;
    bool m_showTitles = true;
    bool m_infoTips = true;
    std::function<void(int)> m_choose;

    std::vector<int> TitleWidths() const;
    std::vector<TabBox> Layout(int width) const;
    void Changed();
    bool OnQueryTooltip(int x, int y, bool keyboard, const Glib::RefPtr<Gtk::Tooltip>& tooltip);

    // IDrawnItemsSource
    int AccessCount() const override { return kSideBarPanelCount; }
    std::string AccessName(int index) const override;
    bool AccessBox(int index, GdkRectangle& box) const override;
    void AccessClick(int index) override;
    int AccessSelected() const override { return m_selected; }
};

// The panel's image, 16 x 16 at (x, y), in the colour set on `cr`.
void DrawSideBarPanelImage(const Cairo::RefPtr<Cairo::Context>& cr, int panel, double x, double y);

}  // namespace fern
