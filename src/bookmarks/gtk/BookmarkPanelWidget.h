#pragma once
// The bookmark panel's widgets: the tree of the bookmarks and the trash
// (several rows selectable, drags in and out, tool tips), and the search
// pane that BKBarSplitStyle shows below or beside it. Events go out through
// the hooks; the panel's logic decides what they do.
#include <gtkmm.h>

#include <functional>
#include <string>
#include <unordered_map>
#include <vector>

#include "bookmarks/BookmarkTree.h"
#include "bookmarks/panel/BookmarkPanel.h"

namespace fern {

class BookmarkPanelWidget : public Gtk::Box, public IBookmarkTreeView {
public:
    struct Hooks {
        std::function<void(std::vector<BookmarkNode*>)> selectionChanged;
        // A row was clicked (single-click mode) or double-clicked
        // (double-click mode); the modifiers held.
        std::function<void(BookmarkNode&, unsigned modifiers)> open;
        std::function<bool(GdkEventKey*)> key;  // true: handled
        std::function<void(GdkEventButton*)> menu;
        std::function<void(const BookmarkNode*)> hovered;  // null: none
        std::function<std::string(const BookmarkNode&)> tip;
        // `internal`: the drag came from this tree.
        std::function<void(const BookmarkTransfer&, BookmarkNode*, DropPosition, bool internal)> dropped;
        // What a drag from the tree carries for `target`.
        std::function<void(Gtk::SelectionData&)> dragData;
        // The divider was dragged to `position` (pixels), in the side-by-side
        // layout or the one above the other.
        std::function<void(int position, bool sideBySide)> splitMoved;
    };
    BookmarkPanelWidget(BookmarkTree& tree, Hooks hooks);

    // IBookmarkTreeView
    void ShowTree(const std::vector<BookmarkNode*>& select) override;
    void ExpandAll(bool expand) override;

    // BKBarSplitStyle, BKBarSplitPos, BKBarStyle double-click and tip bits.
    void Apply(int splitStyle, int splitPos, bool doubleClick, bool tips);
    Gtk::TreeView& Tree() { return m_view; }
    Gtk::SearchEntry& Search() { return m_search; }
    std::vector<BookmarkNode*> SelectedNodes();

private:
    struct Columns : Gtk::TreeModelColumnRecord {
        Gtk::TreeModelColumn<Glib::ustring> name;
        Gtk::TreeModelColumn<Glib::ustring> icon;
        Gtk::TreeModelColumn<void*> node;
        Columns() {
            add(name);
            add(icon);
            add(node);
        }
    };
    BookmarkTree& m_tree;
    Hooks m_hooks;
    Columns m_columns;
    Glib::RefPtr<Gtk::TreeStore> m_store;
    Glib::RefPtr<Gtk::ListStore> m_foundStore;
    Gtk::Paned m_paned;
    Gtk::ScrolledWindow m_treeScroll, m_foundScroll;
    Gtk::TreeView m_view, m_found;
    Gtk::Box m_searchBox{Gtk::ORIENTATION_VERTICAL};
    Gtk::SearchEntry m_search;
    std::unordered_map<const BookmarkNode*, Gtk::TreeRowReference> m_rows;
    bool m_updating = false;
    bool m_doubleClick = false;
    bool m_dragged = false;
    bool m_filled = false;

    static void SetupColumn(Gtk::TreeView& view, Columns& columns);
    BookmarkNode* NodeAt(const Gtk::TreeModel::iterator& it) const;
    BookmarkNode* NodeAtPos(int x, int y);
    void Fill(const Gtk::TreeModel::Row& row, const BookmarkNode& node);
    void Select(const std::vector<BookmarkNode*>& nodes);
    void RefillFound();
    bool ButtonPress(GdkEventButton* event);
    bool ButtonRelease(GdkEventButton* event);
    void DataReceived(const Glib::RefPtr<Gdk::DragContext>& context, int x, int y,
                      const Gtk::SelectionData& data, guint info, guint time);
};

}  // namespace fern
