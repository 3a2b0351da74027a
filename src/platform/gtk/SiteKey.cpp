#include "platform/gtk/SiteKey.h"

#include <glib.h>
#include <libsoup/soup.h>

namespace fern {

namespace {

// Hosts longer than any DNS name are nobody's site.
constexpr std::size_t kMaxHost = 253;

}  // namespace

std::string SiteKeyOfUrl(const std::string& url) {
    GUri* uri = g_uri_parse(url.c_str(), G_URI_FLAGS_NONE, nullptr);
    if (!uri) return {};
    const char* scheme = g_uri_get_scheme(uri);
    const bool file = g_ascii_strcasecmp(scheme, "file") == 0;
    const bool web = g_ascii_strcasecmp(scheme, "http") == 0 || g_ascii_strcasecmp(scheme, "https") == 0;
    const char* rawHost = g_uri_get_host(uri);
    std::string host = rawHost ? rawHost : "";
    g_uri_unref(uri);
    if (file) return "file:";
    if (!web) return {};
    if (host.empty() || host.size() > kMaxHost) return {};
    // An international name and its ASCII form are one site.
    gchar* ascii = g_hostname_to_ascii(host.c_str());
    if (!ascii) return {};
    gchar* lower = g_ascii_strdown(ascii, -1);
    std::string folded = lower;
    g_free(lower);
    g_free(ascii);
    // http and https of one domain share: a site moving to https is one site.
    if (g_hostname_is_ip_address(folded.c_str()) || folded.find('.') == std::string::npos) return folded;
    GError* error = nullptr;
    const char* base = soup_tld_get_base_domain(folded.c_str(), &error);
    if (!base) {
        // A public suffix itself, or a name the list does not know: the
        // host stands for itself.
        g_clear_error(&error);
        return folded;
    }
    return base;
}

}  // namespace fern
