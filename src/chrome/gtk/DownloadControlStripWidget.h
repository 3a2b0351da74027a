#pragma once
// Draws the download-control strip of the status bar and hands clicks to it.
// Collapsed it is a 4-pixel handle; expanded it shows the seven indicator
// images, the unlit ones faded.
#include <gtkmm.h>

#include <cstdint>
#include <string>
#include <vector>

#include "chrome/DownloadControlStrip.h"
#include "ui/gtk/DrawnItemsAccessible.h"

namespace fern {

class DownloadControlStripWidget : public Gtk::DrawingArea, private IDrawnItemsSource {
public:
    DownloadControlStripWidget();
    ~DownloadControlStripWidget() override;

    CDownloadControlStrip& Strip() { return m_strip; }
    // Takes the strip's images out of "tbs.bmp" in the res folder (Shift-JIS
    // path), magenta made transparent. False, and plain boxes, when it cannot
    // be read.
    bool LoadImages(const std::string& resFolder);

    void SetFlags(std::uint32_t flags);
    void SetStyle(int style);
    // The style changed through the strip: new width, new notifications.
    void StyleChanged();

protected:
    bool on_draw(const Cairo::RefPtr<Cairo::Context>& cr) override;
    bool on_button_press_event(GdkEventButton* event) override;
    void get_preferred_width_vfunc(int& minimum, int& natural) const override;
    void get_preferred_height_vfunc(int& minimum, int& natural) const override;

private:
    CDownloadControlStrip m_strip;
    std::vector<Glib::RefPtr<Gdk::Pixbuf>> m_images;  // one per indicator, or none

    bool OnQueryTooltip(int x, int y, bool keyboard, const Glib::RefPtr<Gtk::Tooltip>& tooltip);
    void Changed();

    // IDrawnItemsSource
    int AccessCount() const override { return kDlcIndicatorCount; }
    std::string AccessName(int index) const override;
    bool AccessChecked(int index) const override { return m_strip.Lit(index); }
    bool AccessBox(int index, GdkRectangle& box) const override;
    void AccessClick(int index) override { m_strip.PressIndicator(index); }
};

}  // namespace fern
