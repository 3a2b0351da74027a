#include "platform/gtk/WebKitPageRest.h"

#include <memory>

#include "platform/gtk/WebKitPageCommon.h"

namespace fern {

namespace {

// Our own world, so the page cannot answer for itself. Media that plays
// (sound or not) and any control whose value differs from the one the page
// gave it count as in use.
const char kInUse[] =
    "(function busy(w){var d;try{d=w.document;}catch(e){return false;}if(!d)return false;"
    "var m=d.querySelectorAll('video,audio');for(var i=0;i<m.length;i++)if(!m[i].paused&&!m[i].ended)return "
    "true;"
    "var f=d.querySelectorAll('input,textarea,select');for(var i=0;i<f.length;i++){var e=f[i];"
    "if(e.tagName==='SELECT'){for(var j=0;j<e.options.length;j++)"
    "if(e.options[j].selected!==e.options[j].defaultSelected)return true;continue;}"
    "if(e.type==='checkbox'||e.type==='radio'){if(e.checked!==e.defaultChecked)return true;continue;}"
    "if(e.type!=='hidden'&&e.value!==e.defaultValue)return true;}"
    "var a=d.activeElement;if(a&&a.isContentEditable)return true;"
    "for(var k=0;k<w.frames.length;k++){try{if(busy(w.frames[k]))return true;}catch(e){}}"
    "return false;})(window)";

}  // namespace

std::string SaveSessionState(WebKitWebView* view) {
    WebKitWebViewSessionState* state = webkit_web_view_get_session_state(view);
    if (!state) return {};
    GBytes* bytes = webkit_web_view_session_state_serialize(state);
    webkit_web_view_session_state_unref(state);
    if (!bytes) return {};
    gsize size = 0;
    const auto* data = static_cast<const char*>(g_bytes_get_data(bytes, &size));
    std::string out(data ? data : "", data ? size : 0);
    g_bytes_unref(bytes);
    return out;
}

bool LoadSessionState(WebKitWebView* view, const std::string& state) {
    if (state.empty()) return false;
    GBytes* bytes = g_bytes_new(state.data(), state.size());
    WebKitWebViewSessionState* session = webkit_web_view_session_state_new(bytes);
    g_bytes_unref(bytes);
    if (!session) return false;
    webkit_web_view_restore_session_state(view, session);
    webkit_web_view_session_state_unref(session);
    return webkit_back_forward_list_get_current_item(webkit_web_view_get_back_forward_list(view)) != nullptr;
}

void AskMayRest(WebKitWebView* view, GCancellable* cancellable, std::function<void(bool)> done) {
    if (webkit_web_view_is_playing_audio(view)) {
        if (done) done(false);
        return;
    }
    auto* answer = new std::function<void(bool)>(std::move(done));
    webkit_web_view_evaluate_javascript(
        view, kInUse, -1, kFernScriptWorld, nullptr, cancellable,
        [](GObject* object, GAsyncResult* result, gpointer data) {
            std::unique_ptr<std::function<void(bool)>> answer(static_cast<std::function<void(bool)>*>(data));
            GError* error = nullptr;
            JSCValue* value =
                webkit_web_view_evaluate_javascript_finish(WEBKIT_WEB_VIEW(object), result, &error);
            // No answer is no permission: a page that cannot be asked keeps its view.
            const bool idle = value && jsc_value_is_boolean(value) && !jsc_value_to_boolean(value);
            if (value) g_object_unref(value);
            const bool cancelled = error && g_error_matches(error, G_IO_ERROR, G_IO_ERROR_CANCELLED);
            if (error) g_error_free(error);
            if (!cancelled && *answer) (*answer)(idle);
        },
        answer);
}

}  // namespace fern
