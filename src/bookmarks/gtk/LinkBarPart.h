#pragma once
// The link bar in the window: the bookmarks of the "リンク" folder as
// buttons in the link bar's place, following the LinkBar section and the
// tree, shown and hidden by the View menu's "リンク バー" (LBStyle 0x1 set
// while hidden).
#include <functional>

#include "bookmarks/BookmarkCommands.h"
#include "bookmarks/BookmarkStore.h"
#include "bookmarks/gtk/LinkBarWidget.h"
#include "frame/gtk/MainFrameWindow.h"
#include "settings/SettingsService.h"

namespace fern {

class LinkBarPart {
public:
    LinkBarPart(MainFrameWindow& window, CSettingsService& settings, CBookmarkStore& store,
                CBookmarkCommands& commands, std::function<void(BookmarkNode&)> edit);

    void RegisterCommands(CCommandRouter& router);
    LinkBarWidget& Widget() { return m_bar; }

private:
    MainFrameWindow& m_window;
    CSettingsService& m_settings;
    CBookmarkStore& m_store;
    CBookmarkCommands& m_commands;
    LinkBarWidget m_bar;
    SettingsSubscription m_section;
    SignalConnection m_treeChanged;

    void Apply();
    int Style() const { return m_settings.Live().linkBar.style; }
};

// The folder the link bar shows: the first folder named "リンク" at the top
// of the bookmarks; null when there is none.
BookmarkNode* LinkBarFolder(BookmarkNode& root);

}  // namespace fern
