#pragma once
// Proxy switching in the running browser: proxy.ini in the data folder, the
// mode applied to the shared network session at start, the menu
// "プロキシ サーバー(&X)" and its dialog.
#include <gtkmm.h>

#include <memory>
#include <string>

#include "commands/CommandRouter.h"
#include "platform/gtk/WebKitContext.h"
#include "platform/shell/MessageBox.h"
#include "settings/SettingsService.h"
#include "tools/proxy/ProxySwitch.h"
#include "tools/proxy/gtk/ProxyDialog.h"
#include "tools/proxy/gtk/WebKitProxyEngine.h"

namespace fern {

class ProxyFeature {
public:
    ProxyFeature(Gtk::Window& window, WebKitContext& context, CSettingsService& settings,
                 IMessageBox& messageBox, std::string proxyFile);
    ~ProxyFeature();

    void RegisterCommands(CCommandRouter& router);
    CProxySwitch& Switch() { return m_switch; }

private:
    // The failure message is shown from the main loop, so the menu item
    // that chose the entry returns at once.
    class LaterMessageBox : public IMessageBox {
    public:
        explicit LaterMessageBox(IMessageBox& messageBox) : m_messageBox(messageBox) {}
        MessageBoxAnswer Show(const std::string& text, const std::string& caption,
                              MessageBoxKind kind) override;

    private:
        IMessageBox& m_messageBox;
    };

    Gtk::Window& m_window;
    WebKitProxyEngine m_engine;
    LaterMessageBox m_later;
    CProxySwitch m_switch;
    std::unique_ptr<ProxyDialog> m_dialog;

    void OpenDialog();
};

}  // namespace fern
