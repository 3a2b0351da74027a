#pragma once
// A bar whose edit takes some keys before the window's own keys do (the
// address bar: Enter, Esc, its list keys), and all of them while an input
// method composes in it.
#include <gdk/gdk.h>

namespace fern {

// Object data set on a widget whose own keys come before the window's keys
// while it has the focus (the bookmark panel's tree: Ctrl+X, Ctrl+V, ...).
inline constexpr char kOwnKeysData[] = "fern-own-keys";

class IWindowKeyFilter {
public:
    virtual ~IWindowKeyFilter() = default;
    virtual bool Composing() const = 0;
    // True when the key was used.
    virtual bool PreTranslateKey(GdkEventKey* event) = 0;
};

}  // namespace fern
