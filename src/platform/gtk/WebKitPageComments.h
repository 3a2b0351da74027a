#pragma once
// Shows the comments of a page: each comment becomes a styled text box in
// its place, in the page and, one level after another, in every frame the
// page may reach (frames of other sites are out of reach of any script).
#include <webkit2/webkit2.h>

#include <functional>

namespace fern {

// Runs in the program's own script world, so it works in tabs whose page
// scripts are off; the wait cursor shows meanwhile. `done` gets the number
// of comments made visible, or -1 when the page could not be reached; it
// does not come when `cancellable` is cancelled first.
void ShowPageComments(WebKitWebView* view, GCancellable* cancellable, std::function<void(int)> done = {});

}  // namespace fern
