#pragma once
// The tab bar control: draws the tab bar model (one button per tab with its
// state image and text, the selected and the hot button set apart, one
// scrolling row or several rows), reports clicks with the index of the
// button hit, drags a tab's address out and takes dropped addresses, files
// and bookmarks. It never changes the model: the owner does, then calls
// Refresh().
#include <gtkmm.h>

#include <string>
#include <vector>

#include "frame/TabBarLook.h"
#include "frame/TabBarModel.h"
#include "frame/gtk/TabBarEvents.h"
#include "ui/gtk/DrawnItemsAccessible.h"

namespace fern {

class TabBarWidget : public Gtk::DrawingArea, private IDrawnItemsSource {
public:
    TabBarWidget();
    ~TabBarWidget() override;

    void SetModel(const CTabBarModel* model);
    void SetEvents(ITabBarEvents* events) { m_events = events; }
    void SetLook(const TabBarLook& look);
    const TabBarLook& Look() const { return m_look; }
    // Loads "ti.bmp" from the res folder (Shift-JIS path), magenta made
    // transparent. False, and buttons without images, when it cannot be read.
    bool LoadImages(const std::string& resFolder);
    // Where a dragged tab's shortcut file is written (Shift-JIS path).
    void SetTempFolder(const std::string& folder) { m_tempFolder = folder; }

    // The model changed: lay out again, keep the selected button in view,
    // tell assistive technologies, redraw.
    void Refresh();

    // Index of the button at a point of the widget, -1 when none.
    int HitTest(int x, int y) const;
    // The button's box in the widget; false when it is scrolled out of view.
    bool ItemBox(int index, Gdk::Rectangle& box) const;
    int FirstVisible() const { return m_first; }
    bool Scrolling() const { return m_arrows; }
    // Scrolls the single row by whole buttons.
    void ScrollBy(int buttons);
    int Hot() const { return m_hot; }
    // What a left press on button `index` does.
    void ClickItem(int index);

protected:
    bool on_draw(const Cairo::RefPtr<Cairo::Context>& cr) override;
    bool on_button_press_event(GdkEventButton* event) override;
    bool on_button_release_event(GdkEventButton* event) override;
    bool on_motion_notify_event(GdkEventMotion* event) override;
    bool on_leave_notify_event(GdkEventCrossing* event) override;
    bool on_scroll_event(GdkEventScroll* event) override;
    bool OnQueryTooltip(int x, int y, bool keyboard, const Glib::RefPtr<Gtk::Tooltip>& tooltip);
    void on_size_allocate(Gtk::Allocation& allocation) override;
    void on_style_updated() override;
    void on_drag_data_get(const Glib::RefPtr<Gdk::DragContext>& context, Gtk::SelectionData& data, guint info,
                          guint time) override;
    void on_drag_data_received(const Glib::RefPtr<Gdk::DragContext>& context, int x, int y,
                               const Gtk::SelectionData& data, guint info, guint time) override;
    void on_drag_end(const Glib::RefPtr<Gdk::DragContext>& context) override;
    Gtk::SizeRequestMode get_request_mode_vfunc() const override;
    void get_preferred_width_vfunc(int& minimum, int& natural) const override;
    void get_preferred_height_vfunc(int& minimum, int& natural) const override;
    void get_preferred_height_for_width_vfunc(int width, int& minimum, int& natural) const override;
    void get_preferred_width_for_height_vfunc(int height, int& minimum, int& natural) const override;

private:
    struct Button {
        std::string text;  // UTF-8, cut to the text limit
        int image = -1;
        bool asleep = false;  // drawn faded
        int width = 0;
        Gdk::Rectangle box;  // in the widget
        bool visible = false;
    };

    const CTabBarModel* m_model = nullptr;
    ITabBarEvents* m_events = nullptr;
    TabBarLook m_look;
    std::vector<Glib::RefPtr<Gdk::Pixbuf>> m_images;
    std::string m_tempFolder;
    std::vector<Button> m_buttons;
    int m_rowHeight = 24;
    int m_first = 0;
    // Selection and count when the selected button was last brought into view.
    int m_keptSelected = -2;
    int m_keptCount = -1;
    bool m_arrows = false;
    int m_hot = -1;
    // Press on a button, for drag detection.
    int m_pressIndex = -1;
    double m_pressX = 0, m_pressY = 0;
    // Middle presses, for telling a double click.
    guint32 m_lastMiddleTime = 0;
    double m_lastMiddleX = -100, m_lastMiddleY = -100;
    bool m_lastMiddleWasDouble = false;
    double m_scrollDelta = 0;
    // The tab being dragged out.
    std::string m_dragUrl;      // UTF-8, as text
    std::string m_dragUri;      // UTF-8, as URI
    std::string m_dragFileUri;  // the shortcut file, empty when none

    void Measure();
    void Layout(int width);
    int RowsFor(int width) const;
    Pango::FontDescription FontFor(bool selected) const;
    Glib::RefPtr<Pango::Layout> TextLayout(const std::string& text, bool selected) const;
    Gdk::Rectangle ArrowBox(int which) const;  // 0 left, 1 right
    void StartDragOut(int index, GdkEvent* event);
    bool TargetTabSelected(int index) const;

    // IDrawnItemsSource
    int AccessCount() const override;
    std::string AccessName(int index) const override;
    std::string AccessDescription(int index) const override;
    const void* AccessKey(int index) const override;
    int AccessSelected() const override;
    bool AccessBox(int index, GdkRectangle& box) const override;
    void AccessClick(int index) override { ClickItem(index); }
};

}  // namespace fern
