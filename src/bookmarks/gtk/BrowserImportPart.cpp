#include "bookmarks/gtk/BrowserImportPart.h"

#include <cstdio>

#include "bookmarks/exchange/BrowserImport.h"
#include "bookmarks/gtk/BrowserImportDialog.h"
#include "commands/CommandIds.h"
#include "platform/fs/FsPath.h"

namespace fern {

namespace {

constexpr const char* kCaption = "ブラウザから取り込み";

}  // namespace

BrowserImportPart::BrowserImportPart(Gtk::Window& window, CSettingsService& settings, CBookmarkStore& store,
                                     IMessageBox& messageBox)
    : m_window(window), m_settings(settings), m_store(store), m_messageBox(messageBox) {}

void BrowserImportPart::RegisterCommands(CCommandRouter& router) {
    // The dialogs run their own loop: started from the main loop, not from
    // inside whoever sent the command (an assistive technology waits there).
    router.Add(ID_BOOKMARK_IMPORT_BROWSER,
               [this] { Glib::signal_idle().connect_once(sigc::track_obj([this] { Run(); }, m_tracked)); });
}

void BrowserImportPart::Run() {
    std::optional<ChosenProfile> chosen = ChooseBrowserProfile(m_window, m_settings);
    if (!chosen) return;
    ExchangeStatus status = ImportBrowserProfile(chosen->family, chosen->path, m_store.Tree(), nullptr);
    char text[1024];
    if (!status) {
        std::snprintf(text, sizeof text, "ブックマークを取り込めませんでした。何も追加していません。\n%s\n%s",
                      PathForDisplay(chosen->path).c_str(), status.error.c_str());
        m_messageBox.Show(text, kCaption, MessageBoxKind::Ok);
        return;
    }
    m_store.Changed();
    std::snprintf(text, sizeof text, "%zu 個の項目を取り込みました。", status.imported);
    m_messageBox.Show(text, kCaption, MessageBoxKind::Ok);
}

}  // namespace fern
