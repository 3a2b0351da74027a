#pragma once
// What a sleeping tab needs of its web view: the session state (history with
// scroll positions) as bytes and back, and whether the page may be put away
// now (nothing playing, no typed text).
#include <webkit2/webkit2.h>

#include <functional>
#include <string>

namespace fern {

// The view's session state as bytes; empty when WebKit gives none. Each
// entry keeps its scroll position, but WebKit 2.50 puts it there some 350 ms
// after the scroll: a state taken at once has the one before (a tab sleeps
// only when it has been in the background, so it has the last).
std::string SaveSessionState(WebKitWebView* view);
// Puts `state` into the view's back/forward list; false when the bytes are
// not a session state. The caller then loads the current entry.
bool LoadSessionState(WebKitWebView* view, const std::string& state);
// `done` gets true when the page plays nothing and has no typed text in its
// forms (in frames it may reach); false when it has, or cannot be asked. It
// does not come when `cancellable` is cancelled first.
void AskMayRest(WebKitWebView* view, GCancellable* cancellable, std::function<void(bool)> done);

}  // namespace fern
