#include "tools/proxy/gtk/ProxyFeature.h"

#include "commands/CommandIds.h"

namespace fern {

MessageBoxAnswer ProxyFeature::LaterMessageBox::Show(const std::string& text, const std::string& caption,
                                                     MessageBoxKind kind) {
    IMessageBox* messageBox = &m_messageBox;
    Glib::signal_idle().connect_once(
        [messageBox, text, caption, kind] { messageBox->Show(text, caption, kind); });
    return MessageBoxAnswer::Ok;
}

ProxyFeature::ProxyFeature(Gtk::Window& window, WebKitContext& context, CSettingsService& settings,
                           IMessageBox& messageBox, std::string proxyFile)
    : m_window(window),
      m_engine(context),
      m_later(messageBox),
      m_switch({m_engine, m_later, settings, std::move(proxyFile)}) {
    m_switch.Start();
}

ProxyFeature::~ProxyFeature() = default;

void ProxyFeature::RegisterCommands(CCommandRouter& router) {
    m_switch.RegisterCommands(router);
    router.Add(ID_PROXY_SETTINGS, [this] { OpenDialog(); });
}

void ProxyFeature::OpenDialog() {
    if (m_dialog && m_dialog->get_visible()) {
        m_dialog->present();
        return;
    }
    m_dialog = std::make_unique<ProxyDialog>(
        &m_window, m_switch.Entries(), [this](const std::vector<ProxyEntry>& entries, std::string* error) {
            return m_switch.SaveEntries(entries, error);
        });
    m_dialog->present();
}

}  // namespace fern
