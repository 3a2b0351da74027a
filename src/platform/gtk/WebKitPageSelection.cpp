#include "platform/gtk/WebKitPageSelection.h"

#include <memory>

#include "platform/gtk/WebKitPageCommon.h"

namespace fern {

namespace {

// Our own world: the page cannot replace getSelection there.
const char kSelectedText[] =
    "(function find(w){var s='';try{s=String(w.getSelection());}catch(e){}if(s)return s;"
    "for(var i=0;i<w.frames.length;i++){try{var t=find(w.frames[i]);if(t)return t;}catch(e){}}"
    "return '';})(window)";

}  // namespace

void ReadSelectedText(WebKitWebView* view, GCancellable* cancellable, std::function<void(std::string)> done) {
    auto* answer = new std::function<void(std::string)>(std::move(done));
    webkit_web_view_evaluate_javascript(
        view, kSelectedText, -1, kFernScriptWorld, nullptr, cancellable,
        [](GObject* object, GAsyncResult* result, gpointer data) {
            std::unique_ptr<std::function<void(std::string)>> answer(
                static_cast<std::function<void(std::string)>*>(data));
            GError* error = nullptr;
            JSCValue* value =
                webkit_web_view_evaluate_javascript_finish(WEBKIT_WEB_VIEW(object), result, &error);
            std::string text;
            if (value && jsc_value_is_string(value)) {
                gchar* utf8 = jsc_value_to_string(value);
                text = utf8 ? utf8 : "";
                g_free(utf8);
            }
            if (value) g_object_unref(value);
            const bool cancelled = error && g_error_matches(error, G_IO_ERROR, G_IO_ERROR_CANCELLED);
            if (error) g_error_free(error);
            if (!cancelled && *answer) (*answer)(text);
        },
        answer);
}

}  // namespace fern
