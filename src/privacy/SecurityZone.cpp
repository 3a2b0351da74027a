#include "privacy/SecurityZone.h"

#include <cstdint>
#include <cstdlib>
#include <string>

#include "platform/text/SjisByteClass.h"

namespace fern {

namespace {

bool IsAlpha(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Dotted decimal only: other spellings are left to the Internet zone, the
// stricter answer.
bool ParseIpv4(std::string_view host, std::uint8_t out[4]) {
    int part = 0;
    std::size_t i = 0;
    while (part < 4) {
        std::size_t start = i;
        unsigned value = 0;
        while (i < host.size() && IsDigit(host[i]) && i - start < 3) value = value * 10 + (host[i++] - '0');
        if (i == start || value > 255) return false;
        out[part++] = static_cast<std::uint8_t>(value);
        if (part < 4) {
            if (i >= host.size() || host[i] != '.') return false;
            ++i;
        }
    }
    return i == host.size();
}

bool IsPrivateIpv4(const std::uint8_t a[4]) {
    return a[0] == 10 || a[0] == 127 || (a[0] == 172 && (a[1] & 0xF0) == 16) ||
           (a[0] == 192 && a[1] == 168) || (a[0] == 169 && a[1] == 254);
}

// The first 16-bit group of an IPv6 literal, or -1 when it is none; `loopback`
// tells "::1".
int FirstIpv6Group(std::string_view host, bool* loopback) {
    std::string lower;
    for (char c : host) {
        bool hex = IsDigit(c) || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
        if (!hex && c != ':' && c != '.') return -1;
        lower += static_cast<char>(c >= 'A' && c <= 'F' ? c - 'A' + 'a' : c);
    }
    if (lower.find(':') == std::string::npos) return -1;
    *loopback = lower == "::1" || lower == "0:0:0:0:0:0:0:1";
    if (lower.rfind("::", 0) == 0) return 0;
    std::size_t colon = lower.find(':');
    if (colon == 0 || colon > 4) return -1;
    return static_cast<int>(std::strtol(lower.substr(0, colon).c_str(), nullptr, 16));
}

}  // namespace

int ZoneOfUrl(std::string_view url) {
    std::size_t colon = url.find(':');
    if (colon == std::string_view::npos || colon == 0 || !IsAlpha(url[0])) return -1;
    std::string scheme = SjisToLower(url.substr(0, colon));
    for (char c : scheme)
        if (!IsAlpha(c) && !IsDigit(c) && c != '+' && c != '-' && c != '.') return -1;
    if (scheme == "file") return kZoneLocalComputer;

    std::string_view rest = url.substr(colon + 1);
    if (rest.substr(0, 2) != "//") return -1;
    rest.remove_prefix(2);
    std::size_t end = rest.find_first_of("/?#\\");
    std::string_view authority = rest.substr(0, end);
    std::size_t at = authority.rfind('@');
    if (at != std::string_view::npos) authority.remove_prefix(at + 1);

    std::string_view host;
    if (!authority.empty() && authority[0] == '[') {
        std::size_t close = authority.find(']');
        if (close == std::string_view::npos) return -1;
        host = authority.substr(1, close - 1);
        bool loopback = false;
        int group = FirstIpv6Group(host, &loopback);
        if (group < 0) return -1;
        bool unique = (group & 0xFE00) == 0xFC00, linkLocal = (group & 0xFFC0) == 0xFE80;
        return (loopback || unique || linkLocal) ? kZoneIntranet : kZoneInternet;
    }
    host = authority.substr(0, authority.find(':'));
    if (host.empty()) return -1;
    if (host.find('.') == std::string_view::npos) return kZoneIntranet;
    std::uint8_t address[4];
    if (ParseIpv4(host, address) && IsPrivateIpv4(address)) return kZoneIntranet;
    return kZoneInternet;
}

const char* ZoneName(int zone) {
    switch (zone) {
        case kZoneLocalComputer: return "ローカル コンピュータ";
        case kZoneIntranet: return "ローカル イントラネット";
        case kZoneTrusted: return "信頼済みサイト";
        case kZoneInternet: return "インターネット";
        case kZoneRestricted: return "制限付きサイト";
        default: return "";
    }
}

}  // namespace fern
