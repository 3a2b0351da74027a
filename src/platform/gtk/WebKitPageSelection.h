#pragma once
// The text the user selected in a page: in the page itself, or else in the
// first of its frames that the page may reach and that holds a selection.
#include <webkit2/webkit2.h>

#include <functional>
#include <string>

namespace fern {

// `done` gets the text (UTF-8; empty when nothing is selected or the page
// cannot be asked); it does not come when `cancellable` is cancelled first.
void ReadSelectedText(WebKitWebView* view, GCancellable* cancellable, std::function<void(std::string)> done);

}  // namespace fern
