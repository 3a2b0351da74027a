#pragma once
// "ブラウザから取り込み(&W)...": bookmarks straight from another browser's
// profile into the root of the browser's tree, with the profile chooser; the
// outcome is told. The bookmark panel has its own, into its selected folder.
#include <gtkmm.h>

#include "bookmarks/BookmarkStore.h"
#include "commands/CommandRouter.h"
#include "platform/shell/MessageBox.h"
#include "settings/SettingsService.h"

namespace fern {

class BrowserImportPart {
public:
    BrowserImportPart(Gtk::Window& window, CSettingsService& settings, CBookmarkStore& store,
                      IMessageBox& messageBox);

    void RegisterCommands(CCommandRouter& router);
    // Imports from the profile chosen in the dialog.
    void Run();

private:
    Gtk::Window& m_window;
    CSettingsService& m_settings;
    CBookmarkStore& m_store;
    IMessageBox& m_messageBox;
    sigc::trackable m_tracked;  // a pending Run ends with this part
};

}  // namespace fern
