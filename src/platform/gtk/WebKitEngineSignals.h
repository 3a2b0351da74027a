#pragma once
// The view's signal handlers of WebKitEngine. Every handler converts its
// arguments, makes its calls into the event sink and lets no exception out.
namespace fern {

class WebKitEngine;

struct WebKitEngineSignals {
    static void Connect(WebKitEngine& engine);
    static void Disconnect(WebKitEngine& engine);
};

}  // namespace fern
