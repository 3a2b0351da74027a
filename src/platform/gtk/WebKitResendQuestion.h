#pragma once
// A page that came by a form's POST, reloaded (or reached again where no
// cache holds it), would send that form again: the user is asked first, as a
// second order or post is hard to take back.
#include <webkit2/webkit2.h>

#include <functional>

namespace fern {

// Holds `decision` while a question to the user is open over `view`'s
// window, then uses or ignores it; `answered` gets whether the form goes
// again. Closing the view first ignores the decision and calls nothing.
void AskToResend(WebKitWebView* view, WebKitPolicyDecision* decision, std::function<void(bool)> answered);

}  // namespace fern
