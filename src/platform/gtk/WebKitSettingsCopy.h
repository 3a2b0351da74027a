#pragma once
// A copy of a view's settings, for a pop-up that must not share its opener's
// object (WebKit has no copy call of its own).
#include <webkit2/webkit2.h>

namespace fern {

// A new object (the caller owns the reference) holding every readable and
// writable setting of `source`. Deprecated settings are left out: they do
// nothing and only warn when set.
WebKitSettings* CopyWebKitSettings(WebKitSettings* source);

}  // namespace fern
