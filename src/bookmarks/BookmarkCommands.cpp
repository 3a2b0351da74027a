#include "bookmarks/BookmarkCommands.h"

#include "commands/CommandIds.h"
#include "commands/CommandRouter.h"
#include "frame/MainFrame.h"

namespace fern {

namespace {

// LBStyle 0x2: the link bar opens in a new tab.
constexpr int kLbOpenInNewTab = 0x2;

}  // namespace

CBookmarkCommands::CBookmarkCommands(CBookmarkStore& store, CMainFrame& frame, CSettingsService& settings,
                                     std::function<void(BookmarkNode&)> edit)
    : m_store(store), m_frame(frame), m_settings(settings), m_edit(std::move(edit)) {}

void CBookmarkCommands::RegisterCommands(CCommandRouter& router) {
    auto hasPage = [this] { return m_frame.ActiveView() != nullptr; };
    router.Add(ID_BOOKMARK_ADD, {[this] { Edit(AddActivePage()); }, hasPage, {}});
    router.Add(ID_BOOKMARK_ADD_ALL,
               {[this] { AddAllTabs(); }, [this] { return m_frame.TabCount() > 0; }, {}});
    router.Add(ID_BOOKMARK_ADD_TAB,
               {[this] { Edit(AddTargetTab()); }, [this] { return m_frame.TabCount() > 0; }, {}});
    router.Add(ID_BOOKMARK_MENU_ITEM, [this] {
        Run(m_store.Tree().Menu().ExecuteMenuEntry(kBookmarkMenuCommand, BookmarkStyle()));
    });
    router.Add(ID_AUTOSAVE_BOOKMARKS,
               {[this] {
                    m_settings.Change(SettingsSection::Bookmark,
                                      [](ProgramSettings& s) { s.bookmark.autoSave = !s.bookmark.autoSave; });
                },
                {},
                [this] { return m_settings.Live().bookmark.autoSave; }});
}

BookmarkNode* CBookmarkCommands::AddPage(const CFernView* view, BookmarkNode* folder) {
    if (!view) return nullptr;
    std::string url = view->Url();
    if (url.empty()) return nullptr;
    std::string title = view->Title();
    // The page's own download-control flags go with it.
    BookmarkNode* node =
        m_store.Tree().AddCurrentPage(folder, title.empty() ? url : title, url, view->DownloadControlFlags());
    m_store.Changed();
    return node;
}

BookmarkNode* CBookmarkCommands::AddActivePage(BookmarkNode* folder) {
    return AddPage(m_frame.ActiveView(), folder);
}

std::size_t CBookmarkCommands::AddAllTabs() {
    std::size_t added = 0;
    for (int i = 0; i < m_frame.TabCount(); ++i) added += AddPage(m_frame.ViewAt(i), nullptr) != nullptr;
    return added;
}

BookmarkNode* CBookmarkCommands::AddTargetTab() {
    return AddPage(m_frame.ViewAt(m_frame.TargetTab()), nullptr);
}

void CBookmarkCommands::Edit(BookmarkNode* node) {
    if (node && m_edit) m_edit(*node);
}

void CBookmarkCommands::Run(const BookmarkMenuAction& action, int linkBarStyle) {
    switch (action.type) {
        case BookmarkMenuAction::Type::None: break;
        case BookmarkMenuAction::Type::Open: {
            int flags = action.openFlags;
            if (linkBarStyle >= 0)
                flags = (flags & kOpenFocus) | ((linkBarStyle & kLbOpenInNewTab) ? kOpenNewTab : 0);
            m_frame.OpenUrl(action.url, flags, action.style, static_cast<int>(action.exstyle));
            break;
        }
        case BookmarkMenuAction::Type::AddHere: Edit(AddActivePage(action.node)); break;
        case BookmarkMenuAction::Type::OpenFolder:
            if (action.node) OpenFolder(*action.node);
            break;
    }
}

std::size_t CBookmarkCommands::OpenFolder(const BookmarkNode& folder) {
    int flags = kOpenNewTab | ((BookmarkStyle() & kBkFocusPage) ? kOpenFocus : 0);
    // Opening runs filters and page code that may change the tree: the
    // addresses are taken first.
    struct Open {
        std::string url;
        std::uint32_t style, exstyle;
    };
    std::vector<Open> opens;
    for (const BookmarkNode* child = folder.FirstChild(); child; child = child->Next())
        if (child->type == kItemUrl) opens.push_back({child->url, child->style, child->exstyle});
    std::size_t opened = 0;
    for (const Open& open : opens)
        opened += m_frame.OpenUrl(open.url, flags, open.style, static_cast<int>(open.exstyle)) != nullptr;
    return opened;
}

}  // namespace fern
