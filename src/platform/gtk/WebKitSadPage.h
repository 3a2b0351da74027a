#pragma once
// Our page in a tab whose web process ended: the tab keeps its address and
// title, says what happened and offers to load the page again (in a new
// process). Nothing reloads by itself, so a page that kills its process
// cannot do so in a loop.
#include <webkit2/webkit2.h>

#include <string>

namespace fern {

// The page's HTML (UTF-8). `titleUtf8` and `urlUtf8` are the tab's.
std::string SadPageHtml(const std::string& titleUtf8, const std::string& urlUtf8,
                        WebKitWebProcessTerminationReason reason);

}  // namespace fern
