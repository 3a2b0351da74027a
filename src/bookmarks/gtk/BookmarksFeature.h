#pragma once
// The bookmarks in the running browser: the tree read from the bookmark
// file and saved at the end, the "ブックマーク(&B)" menu, the commands that
// add pages and open bookmarks, and the property sheet.
#include <memory>
#include <string>

#include "bookmarks/BookmarkCommands.h"
#include "bookmarks/BookmarkStore.h"
#include "bookmarks/gtk/BookmarkMenuWidget.h"
#include "bookmarks/gtk/BookmarkPanelPart.h"
#include "bookmarks/gtk/BookmarkPropertySheet.h"
#include "bookmarks/gtk/LinkBarPart.h"
#include "frame/gtk/MainFrameWindow.h"
#include "options/gtk/OptionsPage.h"
#include "platform/shell/MessageBox.h"
#include "settings/SettingsService.h"

namespace fern {

class BookmarksFeature {
public:
    struct Services {
        MainFrameWindow& window;
        CMainFrame& frame;
        CSettingsService& settings;
        IMessageBox& messageBox;
        COptionsPages& optionsPages;
        std::string defaultPath;  // bookmark.fbl in the data folder
        std::string path;         // the file BKBookmarkPath names now
        std::string tempFolder;   // ".url" files dragged out of the panel
    };
    explicit BookmarksFeature(Services services);
    BookmarksFeature(const BookmarksFeature&) = delete;
    BookmarksFeature& operator=(const BookmarksFeature&) = delete;

    void RegisterCommands(CCommandRouter& router);
    CBookmarkStore& Store() { return m_store; }
    CBookmarkCommands& Commands() { return m_commands; }

    // The side bar's bookmark panel.
    Gtk::Widget& PanelWidget() { return m_panel->Widget(); }
    BookmarkPanelPart& Panel() { return *m_panel; }

    // The property sheet of `node`; OK marks the tree modified.
    void EditNode(BookmarkNode& node);

private:
    MainFrameWindow& m_window;
    CMainFrame& m_frame;
    CBookmarkStore m_store;
    CBookmarkCommands m_commands;
    LinkBarPart m_linkBar;
    std::unique_ptr<BookmarkMenuWidget> m_menu;
    std::unique_ptr<BookmarkPropertySheet> m_sheet;
    std::unique_ptr<BookmarkPanelPart> m_panel;
};

}  // namespace fern
