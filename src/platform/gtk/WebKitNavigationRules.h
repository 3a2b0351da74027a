#pragma once
// Pure rules of the engine layer, kept apart from the signal handlers so they
// can be checked without a web view. All text here is UTF-8, as WebKit has it.
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace fern {

// A link click or form submission whose action does not say which frame it
// navigates: true when it must come from a subframe. A named target other
// than the special ones is a frame of a frame set; a Referer that is neither
// the top document's address nor its origin was sent by another document.
// No Referer (a page's referrer policy) gives the benefit of the doubt.
bool LooksLikeSubframeNavigation(std::string_view frameName, std::string_view referer,
                                 std::string_view documentUri);

// "scheme://host[:port]" of an absolute address; empty when it has none.
std::string UriOrigin(std::string_view uri);

// The header block of a navigation ("Name: value" lines, CR LF or LF);
// lines without a name or colon are skipped.
std::vector<std::pair<std::string, std::string>> ParseRequestHeaders(std::string_view block);

// The page that posts `body` to `actionUrl` when its form is submitted.
// Only URL-encoded bodies can be posted this way (the engine has no call for
// a request body); anything else gives nullopt. Fields that are not UTF-8
// are taken as Shift-JIS and posted in that encoding.
std::optional<std::string> PostFormPage(std::string_view actionUrl, std::string_view body,
                                        std::string_view contentType);

// Text escaped for an HTML attribute or element; line breaks become
// character references when `attribute` is set, so they survive parsing.
std::string EscapeHtml(std::string_view text, bool attribute);

}  // namespace fern
