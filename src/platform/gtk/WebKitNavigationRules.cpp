#include "platform/gtk/WebKitNavigationRules.h"

#include <glib.h>

#include "platform/text/Encoding.h"

namespace fern {

namespace {

std::string_view WithoutFragment(std::string_view uri) {
    std::size_t hash = uri.find('#');
    return hash == std::string_view::npos ? uri : uri.substr(0, hash);
}

std::string_view Trim(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t' || text.back() == '\r'))
        text.remove_suffix(1);
    return text;
}

bool EqualsNoCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (g_ascii_tolower(a[i]) != g_ascii_tolower(b[i])) return false;
    return true;
}

int HexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// application/x-www-form-urlencoded decoding of one name or value.
std::string FormDecode(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        char c = text[i];
        if (c == '+') {
            out += ' ';
        } else if (c == '%' && i + 2 < text.size() && HexValue(text[i + 1]) >= 0 &&
                   HexValue(text[i + 2]) >= 0) {
            out += static_cast<char>(HexValue(text[i + 1]) * 16 + HexValue(text[i + 2]));
            i += 2;
        } else {
            out += c;
        }
    }
    return out;
}

}  // namespace

std::string UriOrigin(std::string_view uri) {
    std::size_t scheme = uri.find("://");
    if (scheme == std::string_view::npos || scheme == 0) return {};
    std::size_t end = uri.find_first_of("/?#", scheme + 3);
    return std::string(uri.substr(0, end));
}

bool LooksLikeSubframeNavigation(std::string_view frameName, std::string_view referer,
                                 std::string_view documentUri) {
    if (!frameName.empty() && frameName != "_top" && frameName != "_self" && frameName != "_parent" &&
        frameName != "_blank")
        return true;
    if (referer.empty()) return false;
    std::string_view document = WithoutFragment(documentUri);
    if (referer == document) return false;
    std::string origin = UriOrigin(document);
    if (!origin.empty() && (referer == origin || referer == origin + "/")) return false;
    return true;
}

std::vector<std::pair<std::string, std::string>> ParseRequestHeaders(std::string_view block) {
    std::vector<std::pair<std::string, std::string>> headers;
    while (!block.empty()) {
        std::size_t end = block.find('\n');
        std::string_view line = block.substr(0, end);
        block = end == std::string_view::npos ? std::string_view() : block.substr(end + 1);
        std::size_t colon = line.find(':');
        if (colon == std::string_view::npos) continue;
        std::string_view name = Trim(line.substr(0, colon));
        if (name.empty()) continue;
        headers.emplace_back(std::string(name), std::string(Trim(line.substr(colon + 1))));
    }
    return headers;
}

std::string EscapeHtml(std::string_view text, bool attribute) {
    std::string out;
    out.reserve(text.size() + text.size() / 8);
    for (char c : text) {
        switch (c) {
            case '&': out += "&amp;"; break;
            case '<': out += "&lt;"; break;
            case '>': out += "&gt;"; break;
            case '"': out += attribute ? "&quot;" : "\""; break;
            case '\'': out += attribute ? "&#39;" : "'"; break;
            case '\r': out += attribute ? "&#13;" : "\r"; break;
            case '\n': out += attribute ? "&#10;" : "\n"; break;
            default: out += c;
        }
    }
    return out;
}

std::optional<std::string> PostFormPage(std::string_view actionUrl, std::string_view body,
                                        std::string_view contentType) {
    std::string_view type = Trim(contentType.substr(0, contentType.find(';')));
    if (!type.empty() && !EqualsNoCase(type, "application/x-www-form-urlencoded")) return std::nullopt;

    std::vector<std::pair<std::string, std::string>> fields;
    bool utf8 = true;
    while (!body.empty()) {
        std::size_t amp = body.find('&');
        std::string_view pair = body.substr(0, amp);
        body = amp == std::string_view::npos ? std::string_view() : body.substr(amp + 1);
        if (pair.empty()) continue;
        std::size_t eq = pair.find('=');
        std::string name = FormDecode(pair.substr(0, eq));
        std::string value = eq == std::string_view::npos ? std::string() : FormDecode(pair.substr(eq + 1));
        if (!g_utf8_validate(name.data(), static_cast<gssize>(name.size()), nullptr) ||
            !g_utf8_validate(value.data(), static_cast<gssize>(value.size()), nullptr))
            utf8 = false;
        fields.emplace_back(std::move(name), std::move(value));
    }

    std::string page =
        "<!DOCTYPE html><html><head><meta charset=\"utf-8\"></head><body>"
        "<form method=\"post\" enctype=\"application/x-www-form-urlencoded\" accept-charset=\"";
    page += utf8 ? "utf-8" : "Shift_JIS";
    page += "\" action=\"";
    page += EscapeHtml(actionUrl, true);
    page += "\">";
    for (auto& [name, value] : fields) {
        page += "<input type=\"hidden\" name=\"";
        page += EscapeHtml(utf8 ? name : ToUtf8(name), true);
        page += "\" value=\"";
        page += EscapeHtml(utf8 ? value : ToUtf8(value), true);
        page += "\">";
    }
    page += "</form></body></html>";
    return page;
}

}  // namespace fern
