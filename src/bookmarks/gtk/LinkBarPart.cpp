#include "bookmarks/gtk/LinkBarPart.h"

#include "commands/CommandIds.h"
#include "commands/CommandRouter.h"
#include "lists/BookmarkFile.h"

namespace fern {

BookmarkNode* LinkBarFolder(BookmarkNode& root) {
    for (BookmarkNode* child = root.FirstChild(); child; child = child->Next())
        if (child->IsFolder() && child->name == kLinksFolderName) return child;
    return nullptr;
}

LinkBarPart::LinkBarPart(MainFrameWindow& window, CSettingsService& settings, CBookmarkStore& store,
                         CBookmarkCommands& commands, std::function<void(BookmarkNode&)> edit)
    : m_window(window),
      m_settings(settings),
      m_store(store),
      m_commands(commands),
      m_bar({[this](BookmarkNode& node) {
                 BookmarkMenuAction open;
                 open.type = BookmarkMenuAction::Type::Open;
                 open.node = &node;
                 open.url = node.url;
                 open.openFlags = (m_store.Tree().Options().style & kBkFocusPage) ? 0x2 : 0;
                 open.style = node.style;
                 open.exstyle = node.exstyle;
                 m_commands.Run(open, Style());
             },
             [this](int entry) {
                 m_commands.Run(m_bar.FolderMenu().ExecuteEntry(entry, m_store.Tree().Options().style),
                                Style());
             },
             [&window](const std::string& prompt) { window.StatusBar().SetText(prompt); }, std::move(edit),
             [this](const BookmarkNode& node) { return m_store.Tree().TipText(node); }}) {
    m_window.Put(WindowPlace::LinkBar, m_bar);
    // Shown or hidden by its own switch only, not with the window.
    m_bar.set_no_show_all(true);
    Apply();
    m_section = settings.Subscribe(SettingsSection::LinkBar, [this] { Apply(); });
    m_treeChanged = store.changed.Connect([this] { Apply(); });
}

void LinkBarPart::Apply() {
    const LinkBarSettings& live = m_settings.Live().linkBar;
    BookmarkMenuOptions menu = BookmarkMenuOptions::ForLinkBar(m_store.Tree().Options(), live.style);
    m_bar.FolderMenu().SetOptions(menu);
    m_bar.SetLook(LinkBarLookOf(live.style, live.fixedSize));
    // The tree may have been replaced (another file): the folder is found again.
    m_bar.SetFolder(LinkBarFolder(m_store.Tree().Root()), &m_store.Tree().Root());
    m_bar.set_visible(!live.hidden);
}

void LinkBarPart::RegisterCommands(CCommandRouter& router) {
    router.Add(ID_LINK_BAR, {[this] {
                                 m_settings.Change(SettingsSection::LinkBar, [](ProgramSettings& s) {
                                     s.linkBar.hidden = !s.linkBar.hidden;
                                 });
                             },
                             {},
                             [this] { return !m_settings.Live().linkBar.hidden; }});
}

}  // namespace fern
