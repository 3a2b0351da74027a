#include "bookmarks/gtk/BookmarkPanelPart.h"

#include <algorithm>

#include "bookmarks/UrlShortcut.h"
#include "bookmarks/exchange/BrowserImport.h"
#include "bookmarks/exchange/Favorites.h"
#include "bookmarks/exchange/HotList.h"
#include "bookmarks/exchange/HtmlList.h"
#include "bookmarks/exchange/MakeFileName.h"
#include "bookmarks/exchange/Netscape.h"
#include "bookmarks/gtk/BrowserImportDialog.h"
#include "commands/CommandIds.h"
#include "commands/CommandRouter.h"
#include "commands/MenuLayout.h"
#include "lists/BookmarkClip.h"
#include "platform/fs/FsPath.h"
#include "platform/text/Encoding.h"
#include "ui/gtk/ListFileChooser.h"
#include "ui/gtk/MenuBuilder.h"

namespace fern {

namespace {

const char kCaption[] = "Fern Browser";

bool Held(unsigned state, unsigned mask) { return (state & mask) != 0; }

unsigned CurrentModifiers() {
    GdkModifierType state{};
    gtk_get_current_event_state(&state);
    return state;
}

// A folder chosen in a dialog; nothing when cancelled.
std::optional<std::string> ChooseFolder(Gtk::Window& parent, const char* sjisTitle,
                                        const std::string& start) {
    Gtk::FileChooserDialog dialog(parent, ToUtf8(sjisTitle), Gtk::FILE_CHOOSER_ACTION_SELECT_FOLDER);
    dialog.add_button(ToUtf8("キャンセル"), Gtk::RESPONSE_CANCEL);
    dialog.add_button("OK", Gtk::RESPONSE_OK);
    if (!start.empty()) dialog.set_current_folder(start);
    if (dialog.run() != Gtk::RESPONSE_OK) return std::nullopt;
    std::string folder = dialog.get_filename();
    if (folder.empty()) return std::nullopt;
    return folder;
}

}  // namespace

BookmarkPanelPart::BookmarkPanelPart(Services s)
    : m_s(std::move(s)),
      m_widget(m_s.store.Tree(), MakeHooks()),
      m_panel(m_s.store.Tree(), m_widget, m_clipboard,
              CBookmarkPanel::Host{
                  [this](const UrlItem& item, bool newTab, bool source) { Open(item, newTab, source); },
                  [this] {
                      m_changing = true;
                      m_s.store.Changed();
                      m_changing = false;
                  }}) {
    m_section = m_s.settings.Subscribe(SettingsSection::Bookmark, [this] { Apply(); });
    m_treeChanged = m_s.store.changed.Connect([this] {
        if (m_changing) return;
        // A change from elsewhere (the menu, the link bar, another file):
        // the selection stays unless the tree was loaded again.
        m_widget.ShowTree(m_panel.TreeIsCurrent() ? m_panel.Selection() : std::vector<BookmarkNode*>{});
    });
    Apply();
    m_widget.ShowTree({});
}

BookmarkPanelWidget::Hooks BookmarkPanelPart::MakeHooks() {
    BookmarkPanelWidget::Hooks hooks;
    hooks.selectionChanged = [this](std::vector<BookmarkNode*> nodes) {
        m_panel.SetSelection(std::move(nodes));
        m_s.window.SetStatusText(m_panel.StatusText(nullptr));
    };
    hooks.open = [this](BookmarkNode& node, unsigned state) {
        m_panel.OpenNode(node, Held(state, GDK_SHIFT_MASK), Held(state, GDK_MOD1_MASK));
    };
    hooks.key = [this](GdkEventKey* event) { return Key(event); };
    hooks.menu = [this](GdkEventButton* event) { ShowMenu(event); };
    hooks.hovered = [this](const BookmarkNode* node) { m_s.window.SetStatusText(m_panel.StatusText(node)); };
    hooks.tip = [this](const BookmarkNode& node) {
        return node.type == kItemSeparator ? std::string() : m_s.store.Tree().TipText(node);
    };
    hooks.dropped = [this](const BookmarkTransfer& data, BookmarkNode* target, DropPosition where,
                           bool internal) {
        if (internal) m_panel.Drop(data, target, where, m_panel.Selection());
        else m_panel.Drop(data, target, where);
    };
    hooks.dragData = [this](Gtk::SelectionData& data) { DragData(data); };
    hooks.splitMoved = [this](int position, bool sideBySide) {
        // BKBarSplitPos: the size above the other in its low word, beside it in its high word.
        int old = m_s.settings.Live().bookmark.splitPos;
        int pos = std::min(std::max(position, 0), 0x7FFF);  // the high word stays a positive int
        int now = sideBySide ? (old & 0xFFFF) | (pos << 16) : (old & ~0xFFFF) | pos;
        if (now != old)
            m_s.settings.Change(SettingsSection::Bookmark,
                                [now](ProgramSettings& p) { p.bookmark.splitPos = now; });
    };
    return hooks;
}

void BookmarkPanelPart::Apply() {
    const BookmarkSettings& live = m_s.settings.Live().bookmark;
    int barStyle = (live.barOpenInNewTab ? kBarOpenInNewTab : 0) | (live.barInfoTips ? kBarInfoTips : 0) |
                   (live.barUseTrash ? kBarUseTrash : 0) | (live.barDoubleClick ? kBarDoubleClick : 0);
    m_panel.SetBarStyle(barStyle);
    int split = (live.splitSearch ? 0x1 : 0) | (live.splitSideBySide ? 0x2 : 0);
    m_widget.Apply(split, live.splitPos, live.barDoubleClick, live.barInfoTips);
}

void BookmarkPanelPart::Open(const UrlItem& item, bool newTab, bool viewSource) {
    int flags = (newTab ? kOpenNewTab : 0) | (m_s.settings.Live().fernBar.focusPageOnOpen ? kOpenFocus : 0);
    std::string url = viewSource ? "view-source:" + item.url : item.url;
    m_s.frame.OpenUrl(url, flags, item.style, static_cast<int>(item.exstyle));
}

void BookmarkPanelPart::Run(int id) {
    if (m_router) m_router->Run(id);
}

bool BookmarkPanelPart::Key(GdkEventKey* event) {
    const unsigned mods = event->state & (GDK_SHIFT_MASK | GDK_CONTROL_MASK | GDK_MOD1_MASK);
    const bool ctrl = mods == GDK_CONTROL_MASK;
    switch (event->keyval) {
        case GDK_KEY_Return:
        case GDK_KEY_KP_Enter:
            m_panel.Open(Held(mods, GDK_SHIFT_MASK), Held(mods, GDK_MOD1_MASK));
            return true;
        case GDK_KEY_Delete:
        case GDK_KEY_KP_Delete:
            // Shift+Delete deletes for good.
            m_panel.Delete(Held(mods, GDK_SHIFT_MASK));
            return true;
        case GDK_KEY_Menu: ShowMenu(nullptr); return true;
        default: break;
    }
    if (!ctrl) return false;
    struct KeyCommand {
        guint key;
        int id;
    };
    static const KeyCommand keys[] = {
        {GDK_KEY_x, ID_BKP_CUT},      {GDK_KEY_c, ID_BKP_COPY},       {GDK_KEY_v, ID_BKP_PASTE},
        {GDK_KEY_z, ID_BKP_UNDO},     {GDK_KEY_y, ID_BKP_REDO},       {GDK_KEY_t, ID_BKP_COPY_TITLE},
        {GDK_KEY_r, ID_BKP_COPY_URL}, {GDK_KEY_e, ID_BKP_EXPAND_ALL}, {GDK_KEY_q, ID_BKP_COLLAPSE_ALL},
    };
    guint key = gdk_keyval_to_lower(event->keyval);
    for (const KeyCommand& k : keys)
        if (k.key == key) {
            Run(k.id);
            return true;
        }
    return false;
}

void BookmarkPanelPart::ShowMenu(GdkEventButton* event) {
    if (!m_router) return;
    auto context = std::make_shared<MenuContext>();
    context->router = m_router;
    context->run = [this](int id) { Run(id); };
    context->prompt = [this](const std::string& prompt) { m_s.window.SetStatusText(prompt); };
    // The previous menu goes when the next one is made.
    if (m_menu) delete m_menu;
    m_menu = BuildMenu(BookmarkPanelMenu(), context);
    m_menu->attach_to_widget(m_widget.Tree());
    m_menu->show_all();
    if (event) m_menu->popup_at_pointer(reinterpret_cast<GdkEvent*>(event));
    else m_menu->popup_at_widget(&m_widget.Tree(), Gdk::GRAVITY_CENTER, Gdk::GRAVITY_NORTH_WEST, nullptr);
}

void BookmarkPanelPart::RegisterCommands(CCommandRouter& router) {
    m_router = &router;
    CBookmarkPanel& p = m_panel;
    auto add = [&router](int id, std::function<void()> run, std::function<bool()> enabled = {},
                         std::function<bool()> checked = {}) {
        router.Add(id, CommandHandler{std::move(run), std::move(enabled), std::move(checked)});
    };
    add(
        ID_BKP_OPEN,
        [&p] {
            unsigned m = CurrentModifiers();
            p.Open(Held(m, GDK_SHIFT_MASK), Held(m, GDK_MOD1_MASK));
        },
        [&p] { return p.CanOpen(); });
    add(
        ID_BKP_OPEN_NEW_TAB, [&p] { p.OpenInNewTabs(Held(CurrentModifiers(), GDK_MOD1_MASK)); },
        [&p] { return p.CanOpen(); });
    add(
        ID_BKP_OPEN_FOLDER, [&p] { p.OpenFolder(); }, [&p] { return p.CanOpenFolder(); });
    add(ID_BKP_NEW_FOLDER, [this] { EditNew(true); });
    add(ID_BKP_NEW_SEPARATOR, [&p] { p.NewSeparator(); });
    add(ID_BKP_NEW_BOOKMARK, [this] { EditNew(false); });
    add(
        ID_BKP_EDIT, [this] { EditSelected(); }, [&p] { return p.CanEdit(); });
    add(
        ID_BKP_CUT, [&p] { p.Cut(); }, [&p] { return p.CanChange(); });
    add(
        ID_BKP_COPY, [&p] { p.Copy(); }, [&p] { return p.CanChange(); });
    add(
        ID_BKP_PASTE, [&p] { p.Paste(); }, [this] { return m_clipboard.HasData(); });
    add(
        ID_BKP_UNDO, [&p] { p.Undo(); }, [&p] { return p.CanUndo(); });
    add(
        ID_BKP_REDO, [&p] { p.Redo(); }, [&p] { return p.CanRedo(); });
    add(
        ID_BKP_DELETE, [&p] { p.Delete(Held(CurrentModifiers(), GDK_SHIFT_MASK)); },
        [&p] { return p.CanChange(); });
    add(
        ID_BKP_COPY_TITLE, [&p] { p.CopyTitle(); }, [&p] { return p.CanCopyTitle(); });
    add(
        ID_BKP_COPY_URL, [&p] { p.CopyUrl(); }, [&p] { return p.CanCopyUrl(); });
    add(ID_BKP_EXPAND_ALL, [this] { m_widget.ExpandAll(true); });
    add(ID_BKP_COLLAPSE_ALL, [this] { m_widget.ExpandAll(false); });
    add(
        ID_BKP_SORT_TITLE, [&p] { p.Sort(BookmarkSortKey::Title); }, [&p] { return p.CanSort(); });
    add(
        ID_BKP_SORT_ADDRESS, [&p] { p.Sort(BookmarkSortKey::Address); }, [&p] { return p.CanSort(); });
    add(
        ID_BKP_SORT_ASCENDING, [&p] { p.SortOrder() = BookmarkSortOrder::Ascending; }, {},
        [&p] { return p.SortOrder() == BookmarkSortOrder::Ascending; });
    add(
        ID_BKP_SORT_DESCENDING, [&p] { p.SortOrder() = BookmarkSortOrder::Descending; }, {},
        [&p] { return p.SortOrder() == BookmarkSortOrder::Descending; });
    add(ID_BKP_SAVE, [this] { m_s.store.Save(); });
    add(ID_BKP_SAVE_AS, [this] { Later([this] { SaveAs(); }); });
    for (int id : {ID_BKP_IMPORT_NETSCAPE, ID_BKP_IMPORT_FAVORITES, ID_BKP_IMPORT_HOTLIST,
                   ID_BKP_IMPORT_HTML_LIST, ID_BKP_IMPORT_BROWSER})
        add(id, [this, id] { Later([this, id] { Import(id); }); });
    add(ID_BKP_EXPORT_NETSCAPE, [this] { Later([this] { ExportNetscape(); }); });
    add(ID_BKP_EXPORT_FAVORITES, [this] { Later([this] { ExportFavorites(); }); });
    add(
        ID_BKP_EMPTY_TRASH, [&p] { p.EmptyTrash(); }, [&p] { return p.CanEmptyTrash(); });
    add(
        ID_BKP_CLEAR_HISTORY, [&p] { p.ClearHistory(); }, [&p] { return p.HasHistory(); });
    using Bk = BookmarkSettings;
    const Bk& live = m_s.settings.Live().bookmark;
    struct Switch {
        int id;
        bool Bk::*flag;
    };
    static const Switch switches[] = {
        {ID_BKP_USE_TRASH, &Bk::barUseTrash},
        {ID_BKP_INFO_TIPS, &Bk::barInfoTips},
        {ID_BKP_DOUBLE_CLICK, &Bk::barDoubleClick},
        {ID_BKP_TOGGLE_OPEN, &Bk::barOpenInNewTab},
        {ID_BKP_SAVE_HTML, &Bk::saveHtmlToo},
        {ID_BKP_SPLIT_SEARCH, &Bk::splitSearch},
        {ID_BKP_SPLIT_SIDE_BY_SIDE, &Bk::splitSideBySide},
    };
    for (const Switch& s : switches) {
        bool Bk::*flag = s.flag;
        add(
            s.id, [this, flag] { Toggle(flag); }, {}, [&live, flag] { return live.*flag; });
    }
}

void BookmarkPanelPart::Toggle(bool BookmarkSettings::*flag) {
    // The section is saved whole; its subscribers (this panel, the tree's
    // options) apply it again.
    m_s.settings.Change(SettingsSection::Bookmark,
                        [flag](ProgramSettings& p) { p.bookmark.*flag = !(p.bookmark.*flag); });
}

void BookmarkPanelPart::EditNew(bool folder) {
    BookmarkPlace place = m_panel.NewPlace();
    auto scratch = MakeBookmarkNode(kItemUrl, "", "", 0, 0, 0);
    SetFields(*scratch, m_panel.NewFields(folder));
    BookmarkEditFields fields = EditFieldsOf(*scratch, m_s.store.Tree().Options().dateFormat);
    m_sheet = std::make_unique<BookmarkPropertySheet>(
        m_s.window, fields, [this, place, base = FieldsOf(*scratch)](const BookmarkEditFields& f) {
            auto node = MakeBookmarkNode(base.type, "", "", 0, 0, 0);
            SetFields(*node, base);
            ApplyEditFields(f, *node);
            m_panel.InsertNew(FieldsOf(*node), place);
        });
    m_sheet->present();
}

void BookmarkPanelPart::EditSelected() {
    if (!m_panel.CanEdit()) return;
    BookmarkNode* target = m_panel.Selection().front();
    BookmarkEditFields fields = EditFieldsOf(*target, m_s.store.Tree().Options().dateFormat);
    m_sheet = std::make_unique<BookmarkPropertySheet>(
        m_s.window, fields, [this, target](const BookmarkEditFields& f) {
            // The node may have gone while the sheet was open; Live is asked
            // before it is touched.
            if (!m_panel.Live(target)) return;
            auto copy = MakeBookmarkNode(target->type, "", "", 0, 0, 0);
            SetFields(*copy, FieldsOf(*target));
            ApplyEditFields(f, *copy);
            m_panel.ApplyEdit(target, FieldsOf(*copy));
        });
    m_sheet->present();
}

void BookmarkPanelPart::Tell(const std::string& text) {
    m_s.messageBox.Show(text, kCaption, MessageBoxKind::Ok);
}

void BookmarkPanelPart::Later(std::function<void()> run) {
    Glib::signal_idle().connect_once(sigc::track_obj(std::move(run), m_tracked));
}

void BookmarkPanelPart::SaveAs() {
    auto path = ChooseFile(m_s.window, true, {{"ブックマーク ファイル (*.fbl)", "*.fbl"}}, m_s.settings,
                           "bookmark.fbl");
    if (!path) return;
    // A copy under the new name; the tree keeps its own file.
    ListFileStatus written = WriteBookmarkFile(*path, m_s.store.Tree().Root(), m_s.store.Tree().Trash());
    if (!written) Tell(PathForDisplay(*path) + "\nブックマークを保存できませんでした。\n" + written.error);
}

void BookmarkPanelPart::Import(int id) {
    BookmarkTree& tree = m_s.store.Tree();
    std::optional<std::string> path;
    std::optional<ChosenProfile> profile;
    switch (id) {
        case ID_BKP_IMPORT_BROWSER:
            profile = ChooseBrowserProfile(m_s.window, m_s.settings);
            if (profile) path = profile->path;
            break;
        case ID_BKP_IMPORT_FAVORITES:
            path = ChooseFolder(m_s.window, "お気に入りの場所", m_s.favoritesFolder);
            break;
        case ID_BKP_IMPORT_HOTLIST:
            path = ChooseFile(m_s.window, false, {{"adr ファイル (*.adr)", "*.adr"}}, m_s.settings);
            break;
        default:
            path = ChooseFile(m_s.window, false, {{"HTML ファイル (*.html,*.htm)", "*.html;*.htm"}},
                              m_s.settings);
            break;
    }
    if (!path) return;
    // Read into a folder of our own, then inserted as one undoable step.
    std::unique_ptr<BookmarkNode> scratch = tree.MakeScratchFolder();
    ExchangeStatus status;
    switch (id) {
        case ID_BKP_IMPORT_NETSCAPE: status = ImportNetscape(*path, tree, scratch.get()); break;
        case ID_BKP_IMPORT_FAVORITES: status = ImportFavorites(*path, tree, scratch.get()); break;
        case ID_BKP_IMPORT_HOTLIST: status = ImportHotList(*path, tree, scratch.get()); break;
        case ID_BKP_IMPORT_BROWSER:
            status = ReadBrowserProfile(profile->family, *path, tree, *scratch);
            break;
        default: status = ImportHtmlList(*path, tree, scratch.get()); break;
    }
    if (!status) {
        Tell(PathForDisplay(*path) + "\n読み込めませんでした。\n" + status.error);
        return;
    }
    m_panel.InsertImported(*scratch);
}

void BookmarkPanelPart::ExportNetscape() {
    bool utf8 = m_s.messageBox.Show("UTF-8で変換しますか？", kCaption, MessageBoxKind::YesNo) ==
                MessageBoxAnswer::Yes;
    auto path = ChooseFile(m_s.window, true, {{"HTML ファイル (*.html,*.htm)", "*.html;*.htm"}}, m_s.settings,
                           utf8 ? "bookmarks.html" : "bookmark.htm");
    if (!path) return;
    ExchangeStatus status = fern::ExportNetscape(*path, m_s.store.Tree().Root(), utf8);
    if (!status) Tell(PathForDisplay(*path) + "\n書き出せませんでした。\n" + status.error);
}

void BookmarkPanelPart::ExportFavorites() {
    auto folder = ChooseFolder(m_s.window, "お気に入りの保存先", m_s.favoritesFolder);
    if (!folder) return;
    ExchangeStatus status = fern::ExportFavorites(*folder, m_s.store.Tree().Root().FirstChild());
    if (!status) Tell(PathForDisplay(*folder) + "\n書き出せなかった項目があります。\n" + status.error);
}

void BookmarkPanelPart::DragData(Gtk::SelectionData& data) {
    std::vector<const BookmarkNode*> nodes;
    for (const BookmarkNode* n : m_panel.Selection())
        if (!m_panel.IsFixed(n)) nodes.push_back(n);
    std::string target = data.get_target();
    if (target == kBookmarkClipFormat) {
        std::string bytes = BookmarkClipBytes(nodes);
        data.set(kBookmarkClipFormat, 8, reinterpret_cast<const guint8*>(bytes.data()),
                 static_cast<int>(bytes.size()));
        return;
    }
    if (target == "text/uri-list") {
        // Each bookmark as a ".url" file made in the temporary folder.
        std::vector<Glib::ustring> uris;
        for (const BookmarkNode* n : nodes) {
            if (n->type != kItemUrl) continue;
            std::string path = m_s.tempFolder + "/" + PathFromText(MakeFileName(n->name, 64)) + ".url";
            if (WriteUrlShortcut(path, n->url)) uris.push_back(FileUriOfPath(path));  // escaped: ASCII
        }
        data.set_uris(uris);
        return;
    }
    std::string text;
    for (const BookmarkNode* n : nodes)
        if (n->type == kItemUrl) text += (text.empty() ? "" : "\r\n") + n->url;
    data.set_text(ToUtf8(text));
}

}  // namespace fern
