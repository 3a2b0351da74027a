#pragma once
// The page source of a tab in a window of its own: the bytes the tab
// received for its page (no second request, so nothing is posted again),
// decoded in the page's encoding and escaped, served as "view-source:URL".
#include <webkit2/webkit2.h>

#include <string>
#include <string_view>

namespace fern {

class WebKitContext;

// Starts reading the source of `view`'s page; the window opens when the
// bytes are in. Cancelling `cancellable` (the tab went away) drops it.
void ShowPageSource(WebKitContext& context, WebKitWebView* view, GCancellable* cancellable);

// The source page: `text` (UTF-8) escaped inside a preformatted block.
std::string SourcePageHtml(std::string_view title, std::string_view text);

// The source bytes as UTF-8, decoded with the page's character set (the
// name a page reports); unknown sets are read as UTF-8. Bad bytes become "?".
std::string DecodePageBytes(std::string_view bytes, const std::string& charset);

}  // namespace fern
