#pragma once
// The link bar: the entries of one bookmark folder drawn as buttons (with
// icons and a fixed width as LBStyle says); a bookmark opens on a click, a
// folder opens its menu, filled by the bookmark menu's steps. A bookmark
// drags out in the private bookmark format, as its address and as text. technologies see one push button per
// entry, named by its text.
#include <gtkmm.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "bookmarks/BookmarkMenu.h"
#include "bookmarks/gtk/BookmarkMenuWidget.h"
#include "chrome/LinkBarLayout.h"
#include "ui/gtk/DrawnItemsAccessible.h"

namespace fern {

class LinkBarWidget : public Gtk::DrawingArea, private IDrawnItemsSource {
public:
    struct Hooks {
        std::function<void(BookmarkNode& node)> open;     // a bookmark button was clicked
        std::function<void(int entry)> activateMenuItem;  // an item of a folder's menu
        std::function<void(const std::string& sjisPrompt)> prompt;
        std::function<void(BookmarkNode& node)> properties;        // right click on a button or item
        std::function<std::string(const BookmarkNode& node)> tip;  // Shift-JIS; empty: no tool tip
    };

    explicit LinkBarWidget(Hooks hooks);
    ~LinkBarWidget() override;

    // Shows the children of `folder` (none when null); `scope` is the tree
    // root, within which every node the bar touches must still be.
    void SetFolder(BookmarkNode* folder, const BookmarkNode* scope);
    void SetLook(const LinkBarLook& look);
    BookmarkMenu& FolderMenu() { return m_menuModel; }
    // The tree changed: the buttons again.
    void Refresh();

protected:
    bool on_draw(const Cairo::RefPtr<Cairo::Context>& cr) override;
    bool on_button_press_event(GdkEventButton* event) override;
    bool on_button_release_event(GdkEventButton* event) override;
    void get_preferred_height_vfunc(int& minimum, int& natural) const override;
    void get_preferred_width_vfunc(int& minimum, int& natural) const override;
    void on_size_allocate(Gtk::Allocation& allocation) override;
    bool on_motion_notify_event(GdkEventMotion* event) override;
    void on_drag_data_get(const Glib::RefPtr<Gdk::DragContext>& context, Gtk::SelectionData& data, guint info,
                          guint time) override;

private:
    struct Button {
        BookmarkNode* node;
        std::string text;  // UTF-8
    };
    Hooks m_hooks;
    BookmarkNode* m_folder = nullptr;
    const BookmarkNode* m_scope = nullptr;
    LinkBarLook m_look;
    std::vector<Button> m_buttons;
    std::vector<LinkBarBox> m_boxes;
    BookmarkMenu m_menuModel;
    BookmarkMenuWidget m_menuWidget;
    Gtk::Menu* m_popup = nullptr;
    int m_pressed = -1;
    double m_pressX = 0, m_pressY = 0;
    const BookmarkNode* m_dragged = nullptr;  // while a drag out runs

    void Layout();
    void Click(int index);
    void PopupFolder(int index, const GdkEvent* event);
    int TextWidth(const std::string& text) const;
    bool StillThere(const BookmarkNode* node) const;
    bool OnQueryTooltip(int x, int y, bool keyboard, const Glib::RefPtr<Gtk::Tooltip>& tooltip);

    // IDrawnItemsSource
    int AccessCount() const override;
    std::string AccessName(int index) const override;
    const void* AccessKey(int index) const override;
    bool AccessBox(int index, GdkRectangle& box) const override;
    void AccessClick(int index) override { Click(index); }
};

}  // namespace fern
