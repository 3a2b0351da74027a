#pragma once
// What the bookmark menu and the bookmark commands do in the running
// browser: adding the active page, every tab or the tab a menu was opened
// on; opening a bookmark with its own download-control flags and security
// mode; opening a folder's bookmarks; the auto-save switch of the bookmarks.
#include <cstddef>
#include <functional>

#include "bookmarks/BookmarkMenu.h"
#include "bookmarks/BookmarkStore.h"

namespace fern {

class CCommandRouter;
class CFernView;
class CMainFrame;

class CBookmarkCommands {
public:
    // `edit` opens the property sheet of a bookmark just added ("追加" and
    // the tab menu's "ブックマークに追加"); it may be empty.
    CBookmarkCommands(CBookmarkStore& store, CMainFrame& frame, CSettingsService& settings,
                      std::function<void(BookmarkNode&)> edit = {});

    // 33000, 33001, the tab menu's add, 34000 (the highlighted item of the
    // main menu) and the auto-save switch.
    void RegisterCommands(CCommandRouter& router);

    // The page of `view`, with the tab's download-control flags, at the end
    // of `folder` (the root when null); null when there is no view or it
    // shows no address.
    BookmarkNode* AddPage(const CFernView* view, BookmarkNode* folder);
    BookmarkNode* AddActivePage(BookmarkNode* folder = nullptr);
    // Every tab, in tab order; how many were added.
    std::size_t AddAllTabs();
    // The tab a tab menu was opened on (else the selected one).
    BookmarkNode* AddTargetTab();

    // Carries out what a bookmark item asked for. `linkBarStyle` >= 0 means
    // the item is on the link bar, whose own switch opens in a new tab.
    void Run(const BookmarkMenuAction& action, int linkBarStyle = -1);
    // The URL children of `folder` in new tabs, in order; how many opened.
    std::size_t OpenFolder(const BookmarkNode& folder);

private:
    CBookmarkStore& m_store;
    CMainFrame& m_frame;
    CSettingsService& m_settings;
    std::function<void(BookmarkNode&)> m_edit;

    int BookmarkStyle() const { return m_store.Tree().Options().style; }
    void Edit(BookmarkNode* node);
};

}  // namespace fern
