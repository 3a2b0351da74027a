#pragma once
// "ブラウザから取り込み(&W)...": bookmarks straight from another browser's
// profile into a folder of the browser's tree (the root unless a view says
// which), with the profile chooser; the outcome is told.
#include <gtkmm.h>

#include <functional>

#include "bookmarks/BookmarkStore.h"
#include "commands/CommandRouter.h"
#include "platform/shell/MessageBox.h"
#include "settings/SettingsService.h"

namespace fern {

class BrowserImportPart {
public:
    // `targetFolder` names the folder that receives the import (null: the root).
    BrowserImportPart(Gtk::Window& window, CSettingsService& settings, CBookmarkStore& store,
                      IMessageBox& messageBox, std::function<BookmarkNode*()> targetFolder = {});

    void RegisterCommands(CCommandRouter& router);
    // Imports from the profile chosen in the dialog.
    void Run();

private:
    Gtk::Window& m_window;
    CSettingsService& m_settings;
    CBookmarkStore& m_store;
    IMessageBox& m_messageBox;
    std::function<BookmarkNode*()> m_targetFolder;
    sigc::trackable m_tracked;  // a pending Run ends with this part
};

}  // namespace fern
