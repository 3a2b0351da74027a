// A web-process extension for the helper-object tests: every page it sees
// gets the global "fernHelperObject" = "seen".
#include <webkit2/webkit-web-extension.h>

namespace {

void WindowCleared(WebKitScriptWorld* world, WebKitWebPage*, WebKitFrame* frame, gpointer) {
    JSCContext* js = webkit_frame_get_js_context_for_script_world(frame, world);
    JSCValue* mark = jsc_value_new_string(js, "seen");
    jsc_context_set_value(js, "fernHelperObject", mark);
    g_object_unref(mark);
    g_object_unref(js);
}

}  // namespace

extern "C" G_MODULE_EXPORT void webkit_web_extension_initialize(WebKitWebExtension*) {
    g_signal_connect(webkit_script_world_get_default(), "window-object-cleared", G_CALLBACK(WindowCleared), nullptr);
}
