#include "bookmarks/gtk/BookmarkPanelWidget.h"

#include <set>

#include "bookmarks/gtk/BookmarkClipboardGtk.h"
#include "platform/text/Encoding.h"
#include "platform/text/SjisSearch.h"
#include "ui/gtk/WindowKeyFilter.h"

namespace fern {

namespace {

const char kSeparatorShown[] = "――――――――";

void Name(Gtk::Widget& widget, const char* sjisName) {
    if (AtkObject* accessible = gtk_widget_get_accessible(widget.gobj()))
        atk_object_set_name(accessible, ToUtf8(sjisName).c_str());
}

}  // namespace

BookmarkPanelWidget::BookmarkPanelWidget(BookmarkTree& tree, Hooks hooks)
    : Gtk::Box(Gtk::ORIENTATION_VERTICAL), m_tree(tree), m_hooks(std::move(hooks)) {
    m_store = Gtk::TreeStore::create(m_columns);
    m_foundStore = Gtk::ListStore::create(m_columns);
    m_view.set_model(m_store);
    m_found.set_model(m_foundStore);
    SetupColumn(m_view, m_columns);
    SetupColumn(m_found, m_columns);
    m_view.get_selection()->set_mode(Gtk::SELECTION_MULTIPLE);
    m_view.set_enable_search(false);  // the panel has its own search
    m_view.set_data(kOwnKeysData, reinterpret_cast<void*>(1));
    Name(m_view, "ブックマーク");
    Name(m_found, "検索結果");
    Name(m_search, "ブックマークの検索");

    m_treeScroll.set_policy(Gtk::POLICY_AUTOMATIC, Gtk::POLICY_AUTOMATIC);
    m_treeScroll.add(m_view);
    m_foundScroll.set_policy(Gtk::POLICY_AUTOMATIC, Gtk::POLICY_AUTOMATIC);
    m_foundScroll.add(m_found);
    m_searchBox.pack_start(m_search, Gtk::PACK_SHRINK);
    m_searchBox.pack_start(m_foundScroll, Gtk::PACK_EXPAND_WIDGET);
    m_paned.pack1(m_treeScroll, true, false);
    m_paned.pack2(m_searchBox, true, false);
    pack_start(m_paned, Gtk::PACK_EXPAND_WIDGET);
    m_searchBox.set_no_show_all(true);
    m_search.show();
    m_found.show();
    m_foundScroll.show();

    m_view.get_selection()->signal_changed().connect([this] {
        if (!m_updating && m_hooks.selectionChanged) m_hooks.selectionChanged(SelectedNodes());
    });
    m_view.signal_button_press_event().connect(sigc::mem_fun(*this, &BookmarkPanelWidget::ButtonPress),
                                               false);
    m_view.signal_button_release_event().connect(sigc::mem_fun(*this, &BookmarkPanelWidget::ButtonRelease),
                                                 false);
    m_view.signal_row_activated().connect([this](const Gtk::TreeModel::Path& path, Gtk::TreeViewColumn*) {
        // Enter comes through the keys; this is the double click.
        BookmarkNode* node = NodeAt(m_store->get_iter(path));
        GdkModifierType state{};
        gtk_get_current_event_state(&state);
        if (node && m_doubleClick && m_hooks.open) m_hooks.open(*node, state);
    });
    m_view.signal_key_press_event().connect([this](GdkEventKey* e) { return m_hooks.key && m_hooks.key(e); },
                                            false);
    m_view.add_events(Gdk::POINTER_MOTION_MASK | Gdk::LEAVE_NOTIFY_MASK);
    m_view.signal_motion_notify_event().connect([this](GdkEventMotion* e) {
        if (m_hooks.hovered) m_hooks.hovered(NodeAtPos(static_cast<int>(e->x), static_cast<int>(e->y)));
        return false;
    });
    m_view.signal_leave_notify_event().connect([this](GdkEventCrossing*) {
        if (m_hooks.hovered) m_hooks.hovered(nullptr);
        return false;
    });
    m_view.signal_query_tooltip().connect(
        [this](int x, int y, bool keyboard, const Glib::RefPtr<Gtk::Tooltip>& tooltip) {
            Gtk::TreeModel::iterator it;
            if (!m_view.get_tooltip_context_iter(x, y, keyboard, it)) return false;
            BookmarkNode* node = NodeAt(it);
            if (!node || !m_hooks.tip) return false;
            std::string text = m_hooks.tip(*node);
            if (text.empty()) return false;
            tooltip->set_text(ToUtf8(text));
            m_view.set_tooltip_row(tooltip, m_store->get_path(it));
            return true;
        });

    // Drags: our targets only, so the store never moves rows by itself.
    std::vector<Gtk::TargetEntry> targets = BookmarkTransferTargets();
    m_view.enable_model_drag_source(targets, Gdk::BUTTON1_MASK, Gdk::ACTION_COPY | Gdk::ACTION_MOVE);
    m_view.enable_model_drag_dest(targets, Gdk::ACTION_COPY | Gdk::ACTION_MOVE);
    m_view.signal_drag_begin().connect([this](const Glib::RefPtr<Gdk::DragContext>&) { m_dragged = true; });
    m_view.signal_drag_data_get().connect(
        [this](const Glib::RefPtr<Gdk::DragContext>&, Gtk::SelectionData& data, guint, guint) {
            if (m_hooks.dragData) m_hooks.dragData(data);
        });
    m_view.signal_drag_data_received().connect(sigc::mem_fun(*this, &BookmarkPanelWidget::DataReceived),
                                               false);

    m_search.signal_search_changed().connect([this] { RefillFound(); });
    // Kept when the drag of the divider ends, not at every step of it.
    m_paned.signal_button_release_event().connect(
        [this](GdkEventButton*) {
            if (m_hooks.splitMoved && m_searchBox.get_visible())
                m_hooks.splitMoved(m_paned.get_position(),
                                   m_paned.get_orientation() == Gtk::ORIENTATION_HORIZONTAL);
            return false;
        },
        false);
    m_found.get_selection()->signal_changed().connect([this] {
        auto it = m_found.get_selection()->get_selected();
        if (BookmarkNode* node = it ? static_cast<BookmarkNode*>((*it).get_value(m_columns.node)) : nullptr)
            Select({node});
    });
    m_found.signal_row_activated().connect([this](const Gtk::TreeModel::Path& path, Gtk::TreeViewColumn*) {
        auto it = m_foundStore->get_iter(path);
        GdkModifierType state{};
        gtk_get_current_event_state(&state);
        if (BookmarkNode* node = static_cast<BookmarkNode*>((*it).get_value(m_columns.node));
            node && m_hooks.open)
            m_hooks.open(*node, state);
    });
    show_all();
}

void BookmarkPanelWidget::SetupColumn(Gtk::TreeView& view, Columns& columns) {
    auto* column = Gtk::manage(new Gtk::TreeViewColumn(ToUtf8("名前")));
    auto* icon = Gtk::manage(new Gtk::CellRendererPixbuf());
    auto* text = Gtk::manage(new Gtk::CellRendererText());
    column->pack_start(*icon, false);
    column->pack_start(*text, true);
    column->add_attribute(icon->property_icon_name(), columns.icon);
    column->add_attribute(text->property_text(), columns.name);
    // Rows of one height: a large tree is laid out without measuring each
    // row (10,000 rows expanded in a fraction of the time); long names are
    // ellipsized and shown whole in the tool tip.
    column->set_sizing(Gtk::TREE_VIEW_COLUMN_FIXED);
    column->set_expand(true);
    text->property_ellipsize() = Pango::ELLIPSIZE_END;
    view.append_column(*column);
    view.set_headers_visible(false);
    view.set_fixed_height_mode(true);
}

BookmarkNode* BookmarkPanelWidget::NodeAt(const Gtk::TreeModel::iterator& it) const {
    return it ? static_cast<BookmarkNode*>((*it).get_value(m_columns.node)) : nullptr;
}

BookmarkNode* BookmarkPanelWidget::NodeAtPos(int x, int y) {
    Gtk::TreeModel::Path path;
    Gtk::TreeViewColumn* column = nullptr;
    int cx = 0, cy = 0;
    if (!m_view.get_path_at_pos(x, y, path, column, cx, cy)) return nullptr;
    return NodeAt(m_store->get_iter(path));
}

void BookmarkPanelWidget::Fill(const Gtk::TreeModel::Row& row, const BookmarkNode& node) {
    if (node.type == kItemSeparator) {
        row[m_columns.name] = ToUtf8(kSeparatorShown);
    } else {
        row[m_columns.name] = ToUtf8(node.name);
        if (&node == &m_tree.Trash()) row[m_columns.icon] = "user-trash";
        else row[m_columns.icon] = node.IsFolder() ? "folder" : "text-html";
    }
    row[m_columns.node] = const_cast<BookmarkNode*>(&node);
}

void BookmarkPanelWidget::ShowTree(const std::vector<BookmarkNode*>& select) {
    // What was open stays open; the first time, the bookmark root opens.
    std::set<const BookmarkNode*> open;
    if (!m_filled) open.insert(&m_tree.Root());
    m_view.map_expanded_rows([&](Gtk::TreeView*, const Gtk::TreeModel::Path& path) {
        open.insert(NodeAt(m_store->get_iter(path)));
    });
    m_updating = true;
    m_view.unset_model();
    m_store->clear();
    m_rows.clear();
    std::unordered_map<const BookmarkNode*, Gtk::TreeModel::iterator> folders;
    for (const BookmarkNode* top : {&m_tree.Root(), &m_tree.Trash()}) {
        auto topRow = m_store->append();
        Fill(*topRow, *top);
        folders[top] = topRow;
        for (const BookmarkNode* n = NextInTree(top, top); n; n = NextInTree(n, top)) {
            auto row = m_store->append(folders[n->Parent()]->children());
            Fill(*row, *n);
            if (n->IsFolder()) folders[n] = row;
        }
    }
    m_view.set_model(m_store);
    for (const auto& [node, it] : folders)
        if (open.count(node)) m_view.expand_to_path(m_store->get_path(it));
    m_filled = true;
    // Rows for the selection are looked up once, not for every row.
    m_store->foreach_iter([&](const Gtk::TreeModel::iterator& it) {
        BookmarkNode* node = NodeAt(it);
        for (BookmarkNode* s : select)
            if (s == node) m_rows[node] = Gtk::TreeRowReference(m_store, m_store->get_path(it));
        return false;
    });
    Select(select);
    m_updating = false;
    RefillFound();
    if (m_hooks.selectionChanged) m_hooks.selectionChanged(SelectedNodes());
}

void BookmarkPanelWidget::Select(const std::vector<BookmarkNode*>& nodes) {
    bool updating = m_updating;
    m_updating = true;
    auto selection = m_view.get_selection();
    selection->unselect_all();
    bool first = true;
    for (BookmarkNode* node : nodes) {
        Gtk::TreeModel::Path path;
        auto found = m_rows.find(node);
        if (found != m_rows.end() && found->second.is_valid()) {
            path = found->second.get_path();
        } else {
            m_store->foreach_iter([&](const Gtk::TreeModel::iterator& it) {
                if (NodeAt(it) != node) return false;
                path = m_store->get_path(it);
                return true;
            });
        }
        if (path.empty()) continue;
        m_view.expand_to_path(path);
        selection->select(path);
        if (first) {
            m_view.set_cursor(path);
            m_view.scroll_to_row(path);
            first = false;
        }
    }
    m_updating = updating;
    if (!updating && m_hooks.selectionChanged) m_hooks.selectionChanged(SelectedNodes());
}

std::vector<BookmarkNode*> BookmarkPanelWidget::SelectedNodes() {
    std::vector<BookmarkNode*> nodes;
    for (const Gtk::TreeModel::Path& path : m_view.get_selection()->get_selected_rows())
        if (BookmarkNode* node = NodeAt(m_store->get_iter(path))) nodes.push_back(node);
    return nodes;
}

void BookmarkPanelWidget::ExpandAll(bool expand) {
    if (expand) m_view.expand_all();
    else m_view.collapse_all();
}

void BookmarkPanelWidget::Apply(int splitStyle, int splitPos, bool doubleClick, bool tips) {
    m_doubleClick = doubleClick;
    m_view.set_has_tooltip(tips);
    bool search = splitStyle & 0x1;
    bool sideBySide = splitStyle & 0x2;
    m_paned.set_orientation(sideBySide ? Gtk::ORIENTATION_HORIZONTAL : Gtk::ORIENTATION_VERTICAL);
    m_searchBox.set_visible(search);
    int pos = sideBySide ? (splitPos >> 16) & 0xFFFF : splitPos & 0xFFFF;
    if (search && pos > 0) m_paned.set_position(pos);
}

void BookmarkPanelWidget::RefillFound() {
    m_foundStore->clear();
    std::string needle = FromUtf8(m_search.get_text().raw());
    if (needle.empty()) return;
    SjisSearcher searcher(needle, false);
    for (const BookmarkNode* top : {&m_tree.Root(), &m_tree.Trash()})
        for (const BookmarkNode* n = NextInTree(top, top); n; n = NextInTree(n, top)) {
            if (n->type == kItemSeparator) continue;
            if (searcher.FoundIn(n->name) || (n->type == kItemUrl && searcher.FoundIn(n->url)))
                Fill(*m_foundStore->append(), *n);
        }
}

bool BookmarkPanelWidget::ButtonPress(GdkEventButton* event) {
    m_dragged = false;
    if (event->type != GDK_BUTTON_PRESS || event->button != 3) return false;
    Gtk::TreeModel::Path path;
    Gtk::TreeViewColumn* column = nullptr;
    int cx = 0, cy = 0;
    auto selection = m_view.get_selection();
    if (m_view.get_path_at_pos(static_cast<int>(event->x), static_cast<int>(event->y), path, column, cx,
                               cy)) {
        // A right click on a row outside the selection acts on that row.
        if (!selection->is_selected(path)) {
            selection->unselect_all();
            selection->select(path);
            m_view.set_cursor(path);
        }
    }
    if (m_hooks.menu) m_hooks.menu(event);
    return true;
}

bool BookmarkPanelWidget::ButtonRelease(GdkEventButton* event) {
    if (event->button != 1 || m_doubleClick || m_dragged) return false;
    if (event->state & (GDK_CONTROL_MASK | GDK_SHIFT_MASK)) {
        // Shift opens in a new tab unless it extends a selection.
        if ((event->state & GDK_CONTROL_MASK) || m_view.get_selection()->count_selected_rows() > 1)
            return false;
    }
    Gtk::TreeModel::Path path;
    Gtk::TreeViewColumn* column = nullptr;
    int cx = 0, cy = 0;
    if (!m_view.get_path_at_pos(static_cast<int>(event->x), static_cast<int>(event->y), path, column, cx, cy))
        return false;
    // A click on the expander only opens or closes the folder.
    if (column && cx < 0) return false;
    BookmarkNode* node = NodeAt(m_store->get_iter(path));
    if (node && node->type == kItemUrl && m_hooks.open) m_hooks.open(*node, event->state);
    return false;
}

void BookmarkPanelWidget::DataReceived(const Glib::RefPtr<Gdk::DragContext>& context, int x, int y,
                                       const Gtk::SelectionData& data, guint, guint time) {
    // The store must not take the rows itself: the tree is moved by the logic.
    g_signal_stop_emission_by_name(m_view.gobj(), "drag-data-received");
    bool internal = gtk_drag_get_source_widget(context->gobj()) == GTK_WIDGET(m_view.gobj());
    Gtk::TreeModel::Path path;
    Gtk::TreeViewDropPosition pos = Gtk::TREE_VIEW_DROP_INTO_OR_AFTER;
    BookmarkNode* target = nullptr;
    if (m_view.get_dest_row_at_pos(x, y, path, pos)) target = NodeAt(m_store->get_iter(path));
    DropPosition where = DropPosition::Into;
    if (pos == Gtk::TREE_VIEW_DROP_BEFORE) where = DropPosition::Before;
    else if (pos == Gtk::TREE_VIEW_DROP_AFTER) where = DropPosition::After;
    if (m_hooks.dropped) m_hooks.dropped(TransferFromSelection(data), target, where, internal);
    context->drag_finish(true, false, time);
}

}  // namespace fern
