#include "platform/gtk/WebKitViewSource.h"

#include <cstdio>

#include "platform/gtk/WebKitContext.h"
#include "platform/gtk/WebKitNavigationRules.h"
#include "platform/text/Encoding.h"

namespace fern {

namespace {

struct SourceRequest {
    WebKitContext* context;
    WebKitWebResource* resource;
    GCancellable* cancellable;
    std::string uri;
    std::string charset;

    ~SourceRequest() {
        g_object_unref(resource);
        if (cancellable) g_object_unref(cancellable);
    }
};

bool Cancelled(const GError* error) { return g_error_matches(error, G_IO_ERROR, G_IO_ERROR_CANCELLED); }

void OpenSourceWindow(WebKitContext& context, const std::string& sourceUri) {
    WebKitSettings* settings = context.NewTabSettings();
    webkit_settings_set_enable_javascript_markup(settings, FALSE);
    GtkWidget* view = GTK_WIDGET(
        g_object_new(WEBKIT_TYPE_WEB_VIEW, "web-context", context.Context(), "settings", settings, nullptr));
    g_object_unref(settings);
    GtkWidget* window = gtk_window_new(GTK_WINDOW_TOPLEVEL);
    gtk_window_set_title(GTK_WINDOW(window), sourceUri.c_str());
    gtk_window_set_default_size(GTK_WINDOW(window), 800, 600);
    gtk_container_add(GTK_CONTAINER(window), view);
    context.RemoveSourcePageWith(window, sourceUri);
    webkit_web_view_load_uri(WEBKIT_WEB_VIEW(view), sourceUri.c_str());
    gtk_widget_show_all(window);
}

void OnData(GObject* object, GAsyncResult* result, gpointer data) {
    auto* request = static_cast<SourceRequest*>(data);
    gsize length = 0;
    GError* error = nullptr;
    guchar* bytes = webkit_web_resource_get_data_finish(WEBKIT_WEB_RESOURCE(object), result, &length, &error);
    if (!bytes) {
        if (error && !Cancelled(error)) std::fprintf(stderr, "fern: no page source: %s\n", error->message);
        if (error) g_error_free(error);
        delete request;
        return;
    }
    std::string text =
        DecodePageBytes(std::string_view(reinterpret_cast<char*>(bytes), length), request->charset);
    g_free(bytes);
    const std::string sourceUri = "view-source:" + request->uri;
    request->context->PutSourcePage(sourceUri, SourcePageHtml(sourceUri, text));
    OpenSourceWindow(*request->context, sourceUri);
    delete request;
}

void OnCharset(GObject* object, GAsyncResult* result, gpointer data) {
    auto* request = static_cast<SourceRequest*>(data);
    GError* error = nullptr;
    JSCValue* value = webkit_web_view_evaluate_javascript_finish(WEBKIT_WEB_VIEW(object), result, &error);
    if (error) {
        const bool cancelled = Cancelled(error);
        g_error_free(error);
        if (cancelled) {
            delete request;
            return;
        }
    }
    if (value) {
        if (jsc_value_is_string(value)) {
            gchar* charset = jsc_value_to_string(value);
            request->charset = charset ? charset : "";
            g_free(charset);
        }
        g_object_unref(value);
    }
    webkit_web_resource_get_data(request->resource, request->cancellable, OnData, request);
}

}  // namespace

std::string DecodePageBytes(std::string_view bytes, const std::string& charset) {
    std::string from = charset;
    // Pages labelled Shift_JIS are written in the Windows code page.
    if (g_ascii_strcasecmp(from.c_str(), "Shift_JIS") == 0 ||
        g_ascii_strcasecmp(from.c_str(), "windows-31j") == 0)
        from = "CP932";
    std::string text;
    if (!from.empty() && g_ascii_strcasecmp(from.c_str(), "UTF-8") != 0 &&
        ConvertEncoding(bytes, from.c_str(), "UTF-8", text))
        return text;
    gchar* valid = g_utf8_make_valid(bytes.data(), static_cast<gssize>(bytes.size()));
    text = valid;
    g_free(valid);
    return text;
}

std::string SourcePageHtml(std::string_view title, std::string_view text) {
    std::string page = "<!DOCTYPE html><html><head><meta charset=\"utf-8\"><title>";
    page += EscapeHtml(title, false);
    page += "</title></head><body><pre style=\"white-space: pre-wrap\">";
    page += EscapeHtml(text, false);
    page += "</pre></body></html>";
    return page;
}

void ShowPageSource(WebKitContext& context, WebKitWebView* view, GCancellable* cancellable) {
    WebKitWebResource* resource = webkit_web_view_get_main_resource(view);
    const gchar* uri = webkit_web_view_get_uri(view);
    if (!resource || !uri) return;
    auto* request = new SourceRequest{&context, WEBKIT_WEB_RESOURCE(g_object_ref(resource)),
                                      cancellable ? G_CANCELLABLE(g_object_ref(cancellable)) : nullptr, uri,
                                      std::string()};
    // Our own script: it runs even where the page's scripts are off.
    webkit_web_view_evaluate_javascript(view, "document.characterSet", -1, nullptr, nullptr, cancellable,
                                        OnCharset, request);
}

}  // namespace fern
