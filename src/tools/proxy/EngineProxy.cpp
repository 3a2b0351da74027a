#include "tools/proxy/EngineProxy.h"

#include "platform/text/SjisByteClass.h"

namespace fern {

namespace {

bool IsHostChar(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '.' ||
           c == '-' || c == '_';
}

bool IsHostName(const std::string& host) {
    if (host.empty()) return false;
    if (host.front() == '[') {  // an IPv6 literal
        if (host.size() < 3 || host.back() != ']') return false;
        for (std::size_t i = 1; i + 1 < host.size(); ++i) {
            char c = host[i];
            if (!((c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F') || c == ':' ||
                  c == '.'))
                return false;
        }
        return true;
    }
    for (char c : host)
        if (!IsHostChar(c)) return false;
    return true;
}

std::string ProxyUri(const char* scheme, const ProxyServer& server) {
    return std::string(scheme) + "://" + ProxyServerText(server);
}

bool IsNumber(std::string_view s) {
    if (s.empty() || s.size() > 3) return false;
    for (char c : s)
        if (c < '0' || c > '9') return false;
    return std::stoi(std::string(s)) <= 255;
}

// "192.168.*" as the range "192.168.0.0/16"; empty when it is no such text.
std::string OctetPrefixRange(std::string_view pattern) {
    if (pattern.size() < 3 || pattern.substr(pattern.size() - 2) != ".*") return {};
    std::string_view head = pattern.substr(0, pattern.size() - 2);
    std::vector<std::string_view> octets;
    while (true) {
        std::size_t dot = head.find('.');
        octets.push_back(head.substr(0, dot));
        if (dot == std::string_view::npos) break;
        head.remove_prefix(dot + 1);
    }
    if (octets.size() > 3) return {};
    std::string range;
    for (std::string_view octet : octets) {
        if (!IsNumber(octet)) return {};
        range += std::string(octet) + ".";
    }
    for (std::size_t i = octets.size(); i < 4; ++i) range += "0.";
    range.pop_back();
    return range + "/" + std::to_string(octets.size() * 8);
}

// One exception as an ignore-list entry; empty when it cannot be expressed.
std::string IgnoreEntry(std::string_view exception) {
    if (exception.find('*') == std::string_view::npos) return std::string(exception);
    if (exception.size() > 2 && exception.substr(0, 2) == "*." &&
        exception.find('*', 1) == std::string_view::npos)
        return std::string(exception);
    return OctetPrefixRange(exception);
}

}  // namespace

const std::vector<std::string>& LocalAddressRanges() {
    static const std::vector<std::string> ranges = {"localhost",      "127.0.0.0/8",   "::1",
                                                    "10.0.0.0/8",     "172.16.0.0/12", "192.168.0.0/16",
                                                    "169.254.0.0/16", "fc00::/7",      "fe80::/10"};
    return ranges;
}

std::optional<EngineProxyMapping> EngineProxyFor(const ProxyEntry& entry) {
    EngineProxyMapping mapping;
    EngineProxy& proxy = mapping.proxy;
    proxy.mode = EngineProxy::Mode::Custom;
    if (entry.sameForAll) {
        const ProxyServer& http = entry.Server(ProxyScheme::Http);
        if (!IsHostName(http.host)) return std::nullopt;
        proxy.defaultUri = ProxyUri("http", http);
    } else {
        // HTTPS and FTP go through an HTTP proxy as well (CONNECT); a socks
        // server serves every scheme that has no proxy of its own.
        for (ProxyScheme scheme : {ProxyScheme::Http, ProxyScheme::Https, ProxyScheme::Ftp}) {
            const ProxyServer& server = entry.Server(scheme);
            if (IsHostName(server.host))
                proxy.schemes.emplace_back(ProxySchemeName(scheme), ProxyUri("http", server));
        }
        const ProxyServer& socks = entry.Server(ProxyScheme::Socks);
        if (IsHostName(socks.host)) proxy.defaultUri = ProxyUri("socks", socks);
        if (proxy.schemes.empty() && proxy.defaultUri.empty()) return std::nullopt;
    }
    std::string_view exceptions = entry.exceptions;
    while (!exceptions.empty()) {
        std::size_t semicolon = exceptions.find(';');
        std::string piece = SjisToLower(exceptions.substr(0, semicolon));
        exceptions.remove_prefix(semicolon == std::string_view::npos ? exceptions.size() : semicolon + 1);
        while (!piece.empty() && (piece.back() == ' ' || piece.back() == '\t')) piece.pop_back();
        std::size_t start = piece.find_first_not_of(" \t");
        if (start == std::string::npos) continue;
        piece.erase(0, start);
        if (piece == "<local>") continue;
        std::string ignore = IgnoreEntry(piece);
        if (ignore.empty()) mapping.unexpressed.push_back(piece);
        else proxy.ignoreHosts.push_back(ignore);
    }
    if (entry.bypassLocal)
        proxy.ignoreHosts.insert(proxy.ignoreHosts.end(), LocalAddressRanges().begin(),
                                 LocalAddressRanges().end());
    return mapping;
}

}  // namespace fern
