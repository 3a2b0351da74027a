#include "privacy/SecurityZone.h"

#include <gio/gio.h>

#include <cstring>
#include <string>

namespace fern {

namespace {

// Private, loopback and link-local addresses; IPv6 unique local (fc00::/7)
// is not GLib's "site local" (the old fec0::/10), so it is asked directly.
bool IsIntranetAddress(GInetAddress* address) {
    if (g_inet_address_get_is_loopback(address) || g_inet_address_get_is_link_local(address) ||
        g_inet_address_get_is_site_local(address))
        return true;
    if (g_inet_address_get_family(address) != G_SOCKET_FAMILY_IPV6) return false;
    const guint8* bytes = g_inet_address_to_bytes(address);
    return (bytes[0] & 0xFE) == 0xFC;
}

}  // namespace

int ZoneOfUrl(std::string_view url) {
    const std::string text(url);
    const char* scheme = g_uri_peek_scheme(text.c_str());  // lower case, or none
    if (!scheme) return -1;
    if (g_str_equal(scheme, "file")) return kZoneLocalComputer;

    gchar* host = nullptr;
    if (!g_uri_split_network(text.c_str(), static_cast<GUriFlags>(G_URI_FLAGS_ENCODED | G_URI_FLAGS_NON_DNS),
                             nullptr, &host, nullptr, nullptr) ||
        !host || !*host) {
        g_free(host);
        return -1;
    }
    int zone = kZoneInternet;
    if (GInetAddress* address = g_inet_address_new_from_string(host)) {
        if (IsIntranetAddress(address)) zone = kZoneIntranet;
        g_object_unref(address);
    } else if (!std::strchr(host, '.')) {
        zone = kZoneIntranet;  // a name without dots: this network's own host
    }
    g_free(host);
    return zone;
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
