#include "tools/proxy/ProxyEntry.h"

#include <vector>

#include "platform/text/SjisByteClass.h"

namespace fern {

namespace {

constexpr std::size_t npos = std::string::npos;
// The order of the per-scheme pieces in a stored server value.
constexpr ProxyScheme kStoredOrder[] = {ProxyScheme::Ftp, ProxyScheme::Gopher, ProxyScheme::Http,
                                        ProxyScheme::Https, ProxyScheme::Socks};
constexpr char kLocal[] = "<local>";

std::string_view Trim(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
    return s;
}

// ";" is below the trail-byte range, so a plain split cannot cut a character.
std::vector<std::string_view> SplitPieces(std::string_view text) {
    std::vector<std::string_view> pieces;
    while (true) {
        std::size_t semicolon = text.find(';');
        std::string_view piece = Trim(text.substr(0, semicolon));
        if (!piece.empty()) pieces.push_back(piece);
        if (semicolon == npos) break;
        text.remove_prefix(semicolon + 1);
    }
    return pieces;
}

}  // namespace

const char* ProxySchemeName(ProxyScheme scheme) {
    static const char* const names[] = {"http", "https", "ftp", "gopher", "socks"};
    return names[static_cast<int>(scheme)];
}

int ParseProxyPort(std::string_view text) {
    text = Trim(text);
    long value = 0;
    std::size_t digits = 0;
    while (digits < text.size() && text[digits] >= '0' && text[digits] <= '9') {
        value = value * 10 + (text[digits] - '0');
        if (value > 65535) return -1;
        ++digits;
    }
    return digits > 0 && value >= 1 ? static_cast<int>(value) : -1;
}

std::string ProxyServerText(const ProxyServer& server) {
    if (server.port < 1 || server.port > 65535) return server.host;
    return server.host + ":" + std::to_string(server.port);
}

ProxyServer ParseProxyServerText(std::string_view text) {
    text = Trim(text);
    std::size_t colon = SjisFind(text, ':');
    if (!text.empty() && text.front() == '[') {
        std::size_t close = SjisFind(text, ']');
        colon = close == npos ? npos : SjisFind(text, ':', close);
    }
    ProxyServer server;
    server.host = std::string(Trim(text.substr(0, colon)));
    if (colon != npos) server.port = ParseProxyPort(text.substr(colon + 1));
    return server;
}

std::string ProxyServerValue(const ProxyEntry& entry) {
    if (entry.sameForAll) {
        const ProxyServer& http = entry.Server(ProxyScheme::Http);
        return http.host.empty() ? std::string() : ProxyServerText(http);
    }
    std::string value;
    for (ProxyScheme scheme : kStoredOrder) {
        const ProxyServer& server = entry.Server(scheme);
        if (server.host.empty()) continue;
        if (!value.empty()) value += ';';
        value += ProxySchemeName(scheme);
        value += '=';
        value += ProxyServerText(server);
    }
    return value;
}

std::string ProxyBypassValue(const ProxyEntry& entry) {
    if (!entry.bypassLocal) return entry.exceptions;
    std::string_view exceptions = entry.exceptions;
    if (exceptions.empty()) return kLocal;
    if (exceptions.front() == ';') exceptions.remove_prefix(1);
    std::string value(exceptions);
    if (!value.empty() && value.back() != ';') value += ';';
    return value + kLocal;
}

void ParseProxyServerValue(std::string_view value, ProxyEntry& entry) {
    for (ProxyServer& server : entry.servers) server = {};
    entry.sameForAll = false;
    value = Trim(value);
    if (value.find(';') == npos && value.find('=') == npos) {
        if (value.empty()) return;
        entry.Server(ProxyScheme::Http) = ParseProxyServerText(value);
        entry.sameForAll = true;
        return;
    }
    // Pieces of unknown schemes are skipped, so one odd piece does not hide
    // the servers that follow it.
    for (std::string_view piece : SplitPieces(value)) {
        std::size_t eq = piece.find('=');
        if (eq == npos) continue;
        std::string scheme = SjisToLower(Trim(piece.substr(0, eq)));
        for (ProxyScheme known : kStoredOrder) {
            if (scheme != ProxySchemeName(known)) continue;
            ProxyServer server = ParseProxyServerText(piece.substr(eq + 1));
            if (!server.host.empty()) entry.Server(known) = std::move(server);
            break;
        }
    }
}

void ParseProxyBypassValue(std::string_view value, ProxyEntry& entry) {
    entry.bypassLocal = false;
    entry.exceptions.clear();
    for (std::string_view piece : SplitPieces(value)) {
        if (SjisCompareNoCase(piece, kLocal) == 0) {
            entry.bypassLocal = true;
            continue;
        }
        if (!entry.exceptions.empty()) entry.exceptions += ';';
        entry.exceptions += piece;
    }
}

std::string ProxyDisplayName(const ProxyEntry& entry) {
    return entry.name.empty() ? std::string("No Title") : entry.name;
}

}  // namespace fern
