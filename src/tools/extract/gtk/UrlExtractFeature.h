#pragma once
// "URLの抽出(&E)" in the running browser: the active tab's documents are
// collected from its frames, then shown in the extraction dialog (one at a
// time; a new one replaces the old after keeping its settings).
#include <gtkmm.h>

#include <functional>
#include <memory>

#include "commands/CommandRouter.h"
#include "frame/MainFrame.h"
#include "platform/gtk/WebKitLinkCollector.h"
#include "tools/extract/gtk/UrlExtractDialog.h"

namespace fern {

class UrlExtractFeature {
public:
    struct Services {
        Gtk::Window& window;
        CMainFrame& frame;
        CSettingsService& settings;
        IClipboard& clipboard;
        IMessageBox& messageBox;
        // The web view of a tab's page, null when it has none.
        std::function<WebKitWebView*(CFernView*)> webView;
    };
    explicit UrlExtractFeature(Services services);
    ~UrlExtractFeature();

    void RegisterCommands(CCommandRouter& router);
    // The dialog on screen, for checks; null when none.
    UrlExtractDialog* Dialog() const { return m_dialog.get(); }

private:
    Services m_s;
    std::unique_ptr<WebKitLinkCollection> m_collection;
    std::unique_ptr<UrlExtractDialog> m_dialog;

    void Extract();
    void Show(std::vector<FrameReport> documents, const std::string& title);
};

}  // namespace fern
