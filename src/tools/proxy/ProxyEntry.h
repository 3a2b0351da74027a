#pragma once
// One named proxy configuration of proxy.ini and the two values it is
// stored as: the server value ("ftp=h:p;http=h:p" or "h:p") and the bypass
// value (exceptions, optionally "<local>").
#include <array>
#include <string>
#include <string_view>

namespace fern {

enum class ProxyScheme { Http, Https, Ftp, Gopher, Socks };
inline constexpr int kProxySchemeCount = 5;

struct ProxyServer {
    std::string host;
    int port = -1;  // -1: none (an empty field)
    bool operator==(const ProxyServer&) const = default;
};

struct ProxyEntry {
    std::string name;
    std::array<ProxyServer, kProxySchemeCount> servers;  // by ProxyScheme
    std::string exceptions;                              // entries separated by ";"
    bool bypassLocal = false;
    bool sameForAll = false;  // then only the HTTP server counts

    ProxyServer& Server(ProxyScheme scheme) { return servers[static_cast<int>(scheme)]; }
    const ProxyServer& Server(ProxyScheme scheme) const { return servers[static_cast<int>(scheme)]; }
    bool operator==(const ProxyEntry&) const = default;
};

// "http", "https", "ftp", "gopher", "socks".
const char* ProxySchemeName(ProxyScheme scheme);

// A port text as typed or stored: a number of 1..65535, else -1.
int ParseProxyPort(std::string_view text);
// "host:port", or "host" alone when it has no port.
std::string ProxyServerText(const ProxyServer& server);
// The reverse; a text without ":" is a host without port. A bracketed IPv6
// host keeps its colons.
ProxyServer ParseProxyServerText(std::string_view text);

// The values stored in proxy.ini.
std::string ProxyServerValue(const ProxyEntry& entry);
std::string ProxyBypassValue(const ProxyEntry& entry);
// Fill the servers and the same-for-all flag, the exceptions and the
// bypass-local flag of `entry` from the stored values.
void ParseProxyServerValue(std::string_view value, ProxyEntry& entry);
void ParseProxyBypassValue(std::string_view value, ProxyEntry& entry);

// The name shown for an entry: "No Title" when it has none.
std::string ProxyDisplayName(const ProxyEntry& entry);

}  // namespace fern
