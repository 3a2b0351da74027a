#include "downloads/SaveAsPlan.h"

#include <glib.h>

#include "downloads/DownloadFileName.h"
#include "platform/text/Encoding.h"

namespace fern {

namespace {

struct TypeExtension {
    const char* type;
    const char* extension;
};

constexpr TypeExtension kExtensions[] = {
    {"text/html", ".html"},
    {"application/xhtml+xml", ".xhtml"},
    {"text/plain", ".txt"},
    {"image/png", ".png"},
    {"image/jpeg", ".jpg"},
    {"image/gif", ".gif"},
    {"image/webp", ".webp"},
    {"image/svg+xml", ".svg"},
    {"image/bmp", ".bmp"},
    {"image/x-icon", ".ico"},
    {"image/vnd.microsoft.icon", ".ico"},
    {"application/pdf", ".pdf"},
    {"application/json", ".json"},
    {"text/css", ".css"},
    {"text/javascript", ".js"},
    {"application/javascript", ".js"},
    {"text/xml", ".xml"},
    {"application/xml", ".xml"},
    {"video/mp4", ".mp4"},
    {"audio/mpeg", ".mp3"},
};

bool SameType(std::string_view mimeType, const char* type) {
    std::string_view base = mimeType.substr(0, mimeType.find(';'));
    while (!base.empty() && base.back() == ' ') base.remove_suffix(1);
    return g_ascii_strncasecmp(base.data(), type, base.size()) == 0 &&
           std::string_view(type).size() == base.size();
}

// The last segment of the address's path, its escapes decoded (the file
// system's bytes, as the server named the file).
std::string UrlFileName(const std::string& url) {
    std::string path = url.substr(0, url.find_first_of("?#"));
    std::size_t scheme = path.find("://");
    std::size_t start = scheme == std::string::npos ? 0 : path.find('/', scheme + 3);
    if (start == std::string::npos) return {};
    std::string last = path.substr(path.rfind('/') + 1);
    gchar* decoded = g_uri_unescape_string(last.c_str(), nullptr);
    std::string name = decoded ? decoded : last;
    g_free(decoded);
    return name;
}

bool EndsWithNoCase(const std::string& text, const std::string& end) {
    return !end.empty() && text.size() >= end.size() &&
           g_ascii_strcasecmp(text.c_str() + text.size() - end.size(), end.c_str()) == 0;
}

}  // namespace

bool IsHtmlType(std::string_view mimeType) {
    // A page without a type (about:blank, a page made by script) is HTML.
    return mimeType.empty() || SameType(mimeType, "text/html") || SameType(mimeType, "application/xhtml+xml");
}

std::string FormatExtension(SaveFormat format, const std::string& url, const std::string& mimeType) {
    if (format == SaveFormat::Mhtml) return ".mhtml";
    if (IsHtmlType(mimeType)) return SameType(mimeType, "application/xhtml+xml") ? ".xhtml" : ".html";
    std::string fromUrl = FileExtension(UrlFileName(url));
    if (!fromUrl.empty() && fromUrl.size() <= 8) return fromUrl;
    for (const TypeExtension& entry : kExtensions)
        if (SameType(mimeType, entry.type)) return entry.extension;
    return {};
}

std::string SwapExtension(const std::string& name, const std::string& from, const std::string& to) {
    if (EndsWithNoCase(name, to)) return name;
    if (EndsWithNoCase(name, from)) return name.substr(0, name.size() - from.size()) + to;
    return name + to;
}

SaveAsPlan PlanSaveAs(const std::string& title, const std::string& url, const std::string& mimeType) {
    SaveAsPlan plan;
    if (IsHtmlType(mimeType)) plan.formats = {SaveFormat::Mhtml, SaveFormat::PageBytes};
    else plan.formats = {SaveFormat::PageBytes};
    const std::string extension = FormatExtension(plan.formats.front(), url, mimeType);
    const std::string urlName = UrlFileName(url);
    std::string base = ToUtf8(title);
    // The engine titles an image or a file by its name and more ("a.png
    // (640×480)"): the name alone is what the user expects.
    if (!IsHtmlType(mimeType) && !urlName.empty() && base.compare(0, urlName.size(), urlName) == 0)
        base = urlName;
    if (EndsWithNoCase(base, extension)) base.resize(base.size() - extension.size());
    std::string fallback = urlName.empty() ? std::string("page") : urlName;
    std::string stem = SafeFileName(base, fallback, kFileNameLimit - extension.size());
    plan.fileName = EndsWithNoCase(stem, extension) ? stem : stem + extension;
    return plan;
}

}  // namespace fern
