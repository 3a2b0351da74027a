#pragma once
// The bookmark panel in the running browser: the panel's logic on the one
// bookmark tree, its widget, the commands of its menu (texts and keys from
// the catalogue), the property sheet for new and edited nodes, the file and
// folder dialogs of the imports and exports, and the Bookmark settings it
// follows and toggles.
#include <gtkmm.h>

#include <memory>
#include <string>

#include "bookmarks/BookmarkStore.h"
#include "bookmarks/gtk/BookmarkClipboardGtk.h"
#include "bookmarks/gtk/BookmarkPanelWidget.h"
#include "bookmarks/gtk/BookmarkPropertySheet.h"
#include "bookmarks/panel/BookmarkPanel.h"
#include "frame/gtk/MainFrameWindow.h"
#include "platform/shell/MessageBox.h"
#include "settings/SettingsService.h"

namespace fern {

class BookmarkPanelPart {
public:
    struct Services {
        MainFrameWindow& window;
        CMainFrame& frame;
        CSettingsService& settings;
        IMessageBox& messageBox;
        CBookmarkStore& store;
        std::string favoritesFolder;  // where the Favorites dialogs start
        std::string tempFolder;       // ".url" files dragged out
    };
    explicit BookmarkPanelPart(Services services);
    BookmarkPanelPart(const BookmarkPanelPart&) = delete;
    BookmarkPanelPart& operator=(const BookmarkPanelPart&) = delete;

    void RegisterCommands(CCommandRouter& router);
    Gtk::Widget& Widget() { return m_widget; }
    CBookmarkPanel& Logic() { return m_panel; }

private:
    Services m_s;
    BookmarkClipboardGtk m_clipboard;
    BookmarkPanelWidget m_widget;
    CBookmarkPanel m_panel;
    CCommandRouter* m_router = nullptr;
    std::unique_ptr<BookmarkPropertySheet> m_sheet;
    Gtk::Menu* m_menu = nullptr;
    SettingsSubscription m_section;
    SignalConnection m_treeChanged;
    bool m_changing = false;    // our own change: the tree is shown already
    sigc::trackable m_tracked;  // a pending dialog ends with this part

    BookmarkPanelWidget::Hooks MakeHooks();
    void Apply();
    void Open(const UrlItem& item, bool newTab, bool viewSource);
    bool Key(GdkEventKey* event);
    void ShowMenu(GdkEventButton* event);
    void Run(int id);
    void EditNew(bool folder);
    void EditSelected();
    // Dialogs run their own loop: started from the main loop, not from inside
    // whoever sent the command (an assistive technology waits there).
    void Later(std::function<void()> run);
    void SaveAs();
    void Import(int id);
    void ExportNetscape();
    void ExportFavorites();
    void DragData(Gtk::SelectionData& data);
    void Toggle(bool BookmarkSettings::*flag);
    void Tell(const std::string& text);
};

}  // namespace fern
