#include "platform/gtk/WebKitPageDialogs.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <string>

#include "platform/gtk/GuardedCall.h"
#include "platform/text/Encoding.h"

namespace fern {

namespace {

constexpr char kErrorHandler[] = "fernErr";
constexpr char kWorld[] = "fern";

// Runs in every frame before the page's own scripts, in our own world, so
// the page can neither see nor silence it.
constexpr char kErrorReporter[] = R"JS((function () {
  var h = window.webkit && window.webkit.messageHandlers && window.webkit.messageHandlers.fernErr;
  if (!h) return;
  function cut(t) { t = String(t); return t.length > 4096 ? t.slice(0, 4096) : t; }
  function post(m, u, l) {
    try { h.postMessage({m: cut(m), u: cut(u || location.href), l: Number(l) || 0}); } catch (e) {}
  }
  window.addEventListener('error', function (e) { post(e.message, e.filename, e.lineno); });
  window.addEventListener('unhandledrejection', function (e) {
    var r = e.reason;
    post('Uncaught (in promise) ' + (r && r.message ? r.message : String(r)), location.href, 0);
  });
})();)JS";

// The page can post to the handler itself, past the reporter's cut: at
// most `limit` bytes are kept (the filter cuts again on a character).
std::string Property(JSCValue* object, const char* name, std::size_t limit = 16384) {
    std::string text;
    if (!jsc_value_is_object(object)) return text;
    JSCValue* value = jsc_value_object_get_property(object, name);
    if (value) {
        gchar* utf8 = jsc_value_to_string(value);
        if (utf8) text.assign(utf8, strnlen(utf8, limit));
        g_free(utf8);
        g_object_unref(value);
    }
    return text;
}

}  // namespace

// One shown box: the page's dialog, kept until the user answers.
struct WebKitPageDialogs::Box {
    WebKitScriptDialog* script = nullptr;
    GtkWidget* entry = nullptr;
    bool answered = false;
    std::shared_ptr<WebKitPageDialogs*> owner;
};

struct WebKitPageDialogHandlers {
    using D = WebKitPageDialogs;

    static GtkWidget* MakeBox(WebKitWebView* view, WebKitScriptDialog* script, D::Box* box) {
        GtkWidget* top = gtk_widget_get_toplevel(GTK_WIDGET(view));
        GtkWindow* parent = gtk_widget_is_toplevel(top) ? GTK_WINDOW(top) : nullptr;
        WebKitScriptDialogType type = webkit_script_dialog_get_dialog_type(script);
        const gchar* message = webkit_script_dialog_get_message(script);
        const bool leave = type == WEBKIT_SCRIPT_DIALOG_BEFORE_UNLOAD_CONFIRM;
        GtkWidget* dialog = gtk_message_dialog_new(
            parent, static_cast<GtkDialogFlags>(GTK_DIALOG_MODAL | GTK_DIALOG_DESTROY_WITH_PARENT),
            type == WEBKIT_SCRIPT_DIALOG_ALERT ? GTK_MESSAGE_WARNING : GTK_MESSAGE_QUESTION, GTK_BUTTONS_NONE,
            "%s", leave ? ToUtf8("このページから移動しますか？").c_str() : (message ? message : ""));
        if (leave && message && *message)
            gtk_message_dialog_format_secondary_text(GTK_MESSAGE_DIALOG(dialog), "%s", message);
        gtk_window_set_title(GTK_WINDOW(dialog), ToUtf8(kPageDialogCaption).c_str());
        // Screen readers would otherwise announce the message type.
        atk_object_set_name(gtk_widget_get_accessible(dialog), ToUtf8(kPageDialogCaption).c_str());
        // The sweep tells our page boxes from the program's own by this name.
        gtk_widget_set_name(dialog, "fern-page-dialog");
        if (type == WEBKIT_SCRIPT_DIALOG_PROMPT) {
            box->entry = gtk_entry_new();
            const gchar* initial = webkit_script_dialog_prompt_get_default_text(script);
            gtk_entry_set_text(GTK_ENTRY(box->entry), initial ? initial : "");
            gtk_entry_set_activates_default(GTK_ENTRY(box->entry), TRUE);
            gtk_box_pack_end(GTK_BOX(gtk_message_dialog_get_message_area(GTK_MESSAGE_DIALOG(dialog))),
                             box->entry, FALSE, FALSE, 0);
            gtk_widget_show(box->entry);
        }
        if (leave) {
            gtk_dialog_add_button(GTK_DIALOG(dialog), ToUtf8("このページに留まる(_S)").c_str(),
                                  GTK_RESPONSE_CANCEL);
            gtk_dialog_add_button(GTK_DIALOG(dialog), ToUtf8("このページを離れる(_L)").c_str(),
                                  GTK_RESPONSE_OK);
        } else {
            if (type != WEBKIT_SCRIPT_DIALOG_ALERT)
                gtk_dialog_add_button(GTK_DIALOG(dialog), ToUtf8("キャンセル").c_str(), GTK_RESPONSE_CANCEL);
            gtk_dialog_add_button(GTK_DIALOG(dialog), "OK", GTK_RESPONSE_OK);
        }
        gtk_dialog_set_default_response(GTK_DIALOG(dialog), GTK_RESPONSE_OK);
        return dialog;
    }

    static gboolean OnScriptDialog(WebKitWebView* view, WebKitScriptDialog* script, gpointer data) {
        gboolean done = TRUE;  // nothing of WebKit's own is ever shown
        Guard("script-dialog", [&] {
            D& d = *static_cast<D*>(data);
            const gchar* message = webkit_script_dialog_get_message(script);
            BrowserEvents* sink = d.m_sink();
            if (sink && sink->ShowMessage(kPageDialogCaption, FromUtf8(message ? message : ""))) return;
            auto* box = new D::Box;
            box->owner = d.m_self;
            GtkWidget* dialog = MakeBox(view, script, box);
            box->script = webkit_script_dialog_ref(script);
            g_signal_connect(dialog, "response", G_CALLBACK(OnResponse), box);
            g_signal_connect_data(
                dialog, "destroy", G_CALLBACK(OnDestroy), box,
                [](gpointer b, GClosure*) { delete static_cast<D::Box*>(b); }, GConnectFlags(0));
            d.m_open.push_back(dialog);
            gtk_widget_show(dialog);
        });
        return done;
    }

    static void OnResponse(GtkDialog* dialog, gint response, gpointer data) {
        Guard("page dialog response", [&] {
            auto* box = static_cast<D::Box*>(data);
            if (box->answered) return;
            box->answered = true;
            const bool ok = response == GTK_RESPONSE_OK;
            switch (webkit_script_dialog_get_dialog_type(box->script)) {
                case WEBKIT_SCRIPT_DIALOG_CONFIRM:
                case WEBKIT_SCRIPT_DIALOG_BEFORE_UNLOAD_CONFIRM:
                    webkit_script_dialog_confirm_set_confirmed(box->script, ok);
                    break;
                case WEBKIT_SCRIPT_DIALOG_PROMPT:
                    if (ok && box->entry)
                        webkit_script_dialog_prompt_set_text(box->script,
                                                             gtk_entry_get_text(GTK_ENTRY(box->entry)));
                    break;
                default: break;
            }
            webkit_script_dialog_close(box->script);
        });
        gtk_widget_destroy(GTK_WIDGET(dialog));
    }

    static void OnDestroy(GtkWidget* dialog, gpointer data) {
        Guard("page dialog destroy", [&] {
            auto* box = static_cast<D::Box*>(data);
            // Closed without an answer: the page gets the default one.
            if (!box->answered) {
                box->answered = true;
                webkit_script_dialog_close(box->script);
            }
            webkit_script_dialog_unref(box->script);
            box->script = nullptr;
            if (D* owner = *box->owner) {
                auto& open = owner->m_open;
                open.erase(std::remove(open.begin(), open.end(), dialog), open.end());
            }
        });
    }

    static void OnError(WebKitUserContentManager*, WebKitJavascriptResult* result, gpointer data) {
        Guard("script error", [&] {
            D& d = *static_cast<D*>(data);
            BrowserEvents* sink = d.m_sink();
            if (!sink) return;
            JSCValue* value = webkit_javascript_result_get_js_value(result);
            long line = std::strtol(Property(value, "l").c_str(), nullptr, 10);
            sink->ScriptError(FromUtf8(Property(value, "m")), FromUtf8(Property(value, "u")), line);
        });
    }
};

WebKitUserContentManager* WebKitPageDialogs::NewContentManager() {
    WebKitUserContentManager* content = webkit_user_content_manager_new();
    WebKitUserScript* script = webkit_user_script_new_for_world(
        kErrorReporter, WEBKIT_USER_CONTENT_INJECT_ALL_FRAMES, WEBKIT_USER_SCRIPT_INJECT_AT_DOCUMENT_START,
        kWorld, nullptr, nullptr);
    webkit_user_content_manager_add_script(content, script);
    webkit_user_script_unref(script);
    webkit_user_content_manager_register_script_message_handler_in_world(content, kErrorHandler, kWorld);
    return content;
}

WebKitPageDialogs::WebKitPageDialogs(WebKitWebView* view, std::function<BrowserEvents*()> sink)
    : m_view(view),
      m_content(WEBKIT_USER_CONTENT_MANAGER(g_object_ref(webkit_web_view_get_user_content_manager(view)))),
      m_sink(std::move(sink)),
      m_self(std::make_shared<WebKitPageDialogs*>(this)) {
    using H = WebKitPageDialogHandlers;
    g_signal_connect(m_view, "script-dialog", G_CALLBACK(H::OnScriptDialog), this);
    g_signal_connect(m_content, "script-message-received::fernErr", G_CALLBACK(H::OnError), this);
}

WebKitPageDialogs::~WebKitPageDialogs() {
    g_signal_handlers_disconnect_by_data(m_view, this);
    g_signal_handlers_disconnect_by_data(m_content, this);
    *m_self = nullptr;
    std::vector<GtkWidget*> open;
    open.swap(m_open);
    for (GtkWidget* dialog : open) gtk_widget_destroy(dialog);
    g_object_unref(m_content);
}

}  // namespace fern
