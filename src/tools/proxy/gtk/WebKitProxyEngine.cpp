#include "tools/proxy/gtk/WebKitProxyEngine.h"

#include <vector>

#include "platform/text/Encoding.h"

namespace fern {

bool WebKitProxyEngine::ApplyProxy(const EngineProxy& proxy) {
    WebKitWebsiteDataManager* manager = m_context.DataManager();
    if (!manager) return false;
    switch (proxy.mode) {
        case EngineProxy::Mode::System:
            webkit_website_data_manager_set_network_proxy_settings(manager, WEBKIT_NETWORK_PROXY_MODE_DEFAULT,
                                                                   nullptr);
            return true;
        case EngineProxy::Mode::Direct:
            webkit_website_data_manager_set_network_proxy_settings(
                manager, WEBKIT_NETWORK_PROXY_MODE_NO_PROXY, nullptr);
            return true;
        case EngineProxy::Mode::Custom: break;
    }
    std::vector<std::string> hosts;
    for (const std::string& host : proxy.ignoreHosts) hosts.push_back(ToUtf8(host));
    std::vector<const gchar*> ignore;
    for (const std::string& host : hosts) ignore.push_back(host.c_str());
    ignore.push_back(nullptr);
    std::string defaultUri = ToUtf8(proxy.defaultUri);
    WebKitNetworkProxySettings* settings =
        webkit_network_proxy_settings_new(defaultUri.empty() ? nullptr : defaultUri.c_str(), ignore.data());
    for (const auto& [scheme, uri] : proxy.schemes)
        webkit_network_proxy_settings_add_proxy_for_scheme(settings, scheme.c_str(), ToUtf8(uri).c_str());
    webkit_website_data_manager_set_network_proxy_settings(manager, WEBKIT_NETWORK_PROXY_MODE_CUSTOM,
                                                           settings);
    webkit_network_proxy_settings_free(settings);
    return true;
}

}  // namespace fern
