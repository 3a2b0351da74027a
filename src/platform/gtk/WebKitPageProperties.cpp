#include "platform/gtk/WebKitPageProperties.h"

#include <cstdio>
#include <memory>

#include "platform/gtk/WebKitPageCommon.h"
#include "platform/text/Encoding.h"
#include "platform/text/UrlText.h"

namespace fern {

namespace {

struct Gathering {
    PageProperties properties;
    std::function<void(const PageProperties&)> done;
};

std::string Header(SoupMessageHeaders* headers, const char* name) {
    const char* value = headers ? soup_message_headers_get_one(headers, name) : nullptr;
    return value ? FromUtf8(value) : std::string();
}

void OnData(GObject* object, GAsyncResult* result, gpointer data) {
    std::unique_ptr<Gathering> gathering(static_cast<Gathering*>(data));
    gsize length = 0;
    GError* error = nullptr;
    guchar* bytes = webkit_web_resource_get_data_finish(WEBKIT_WEB_RESOURCE(object), result, &length, &error);
    if (bytes) gathering->properties.size = static_cast<long long>(length);
    g_free(bytes);
    const bool cancelled = error && g_error_matches(error, G_IO_ERROR, G_IO_ERROR_CANCELLED);
    if (error) g_error_free(error);
    if (!cancelled) gathering->done(gathering->properties);
}

void AddRow(GtkGrid* grid, int row, const char* name, const std::string& value) {
    GtkWidget* label = gtk_label_new(ToUtf8(name).c_str());
    gtk_widget_set_halign(label, GTK_ALIGN_END);
    gtk_widget_set_valign(label, GTK_ALIGN_START);
    GtkWidget* text = gtk_label_new(ToUtf8(value.empty() ? std::string("不明") : value).c_str());
    gtk_label_set_selectable(GTK_LABEL(text), TRUE);
    gtk_label_set_line_wrap(GTK_LABEL(text), TRUE);
    gtk_label_set_line_wrap_mode(GTK_LABEL(text), PANGO_WRAP_WORD_CHAR);
    // Wrapped labels ask for the height of their narrowest form otherwise.
    gtk_label_set_width_chars(GTK_LABEL(text), 40);
    gtk_label_set_max_width_chars(GTK_LABEL(text), 60);
    gtk_label_set_xalign(GTK_LABEL(text), 0.0f);
    gtk_widget_set_hexpand(text, TRUE);
    // A screen reader reads the value under its name.
    atk_object_add_relationship(gtk_widget_get_accessible(text), ATK_RELATION_LABELLED_BY,
                                gtk_widget_get_accessible(label));
    gtk_grid_attach(grid, label, 0, row, 1, 1);
    gtk_grid_attach(grid, text, 1, row, 1, 1);
}

std::string StatusText(unsigned code) {
    if (code == 0) return std::string();
    char text[128];
    std::snprintf(text, sizeof text, "%u %s", code, soup_status_get_phrase(code));
    return FromUtf8(text);
}

const char* SecurityText(PageProperties::Security security) {
    switch (security) {
        case PageProperties::Security::Secure: return "暗号化されています (TLS)";
        case PageProperties::Security::CertificateError: return "暗号化されています (証明書に問題があります)";
        case PageProperties::Security::None: break;
    }
    return "暗号化されていません";
}

}  // namespace

std::string FormatByteSize(long long size) {
    if (size < 0) return "不明";
    char digits[32];
    std::snprintf(digits, sizeof digits, "%lld", size);
    std::string grouped;
    const std::string all = digits;
    for (std::size_t i = 0; i < all.size(); ++i) {
        if (i > 0 && (all.size() - i) % 3 == 0) grouped += ',';
        grouped += all[i];
    }
    return grouped + " バイト";
}

std::string FormatHttpDate(const std::string& value) {
    const std::string utf8 = ToUtf8(value);
    GDateTime* utc = soup_date_time_new_from_http_string(utf8.c_str());
    if (!utc) return value;
    GDateTime* local = g_date_time_to_local(utc);
    gchar* text = g_date_time_format(local, "%Y/%m/%d %H:%M:%S");
    std::string result = text ? FromUtf8(text) : value;
    g_free(text);
    g_date_time_unref(local);
    g_date_time_unref(utc);
    return result;
}

void GatherPageProperties(WebKitWebView* view, GCancellable* cancellable,
                          std::function<void(const PageProperties&)> done) {
    auto gathering = std::make_unique<Gathering>();
    gathering->done = std::move(done);
    PageProperties& p = gathering->properties;
    WebKitWebResource* resource = webkit_web_view_get_main_resource(view);
    const gchar* title = webkit_web_view_get_title(view);
    const gchar* uri = resource ? webkit_web_resource_get_uri(resource) : webkit_web_view_get_uri(view);
    p.address = uri ? UrlFromUtf8(uri) : std::string();
    p.title = title && *title ? FromUtf8(title) : p.address;
    GTlsCertificate* certificate = nullptr;
    GTlsCertificateFlags errors = static_cast<GTlsCertificateFlags>(0);
    if (webkit_web_view_get_tls_info(view, &certificate, &errors))
        p.security =
            errors == 0 ? PageProperties::Security::Secure : PageProperties::Security::CertificateError;
    WebKitURIResponse* response = resource ? webkit_web_resource_get_response(resource) : nullptr;
    if (response) {
        const gchar* mime = webkit_uri_response_get_mime_type(response);
        p.mimeType = mime ? FromUtf8(mime) : std::string();
        p.statusCode = webkit_uri_response_get_status_code(response);
        const guint64 length = webkit_uri_response_get_content_length(response);
        // Unknown lengths come as 0 or as -1 made unsigned.
        if (length > 0 && length < (guint64(1) << 62)) p.size = static_cast<long long>(length);
        SoupMessageHeaders* headers = webkit_uri_response_get_http_headers(response);
        p.lastModified = Header(headers, "Last-Modified");
        p.date = Header(headers, "Date");
    }
    if (!resource) {
        gathering->done(p);
        return;
    }
    // What the page holds counts, not what the wire carried (compressed,
    // or sent without a length).
    webkit_web_resource_get_data(resource, cancellable, OnData, gathering.release());
}

GtkWidget* NewPagePropertiesDialog(GtkWindow* parent, const PageProperties& p) {
    GtkWidget* dialog = gtk_dialog_new();
    gtk_window_set_title(GTK_WINDOW(dialog), ToUtf8("プロパティ").c_str());
    gtk_window_set_transient_for(GTK_WINDOW(dialog), parent);
    gtk_window_set_destroy_with_parent(GTK_WINDOW(dialog), TRUE);
    gtk_dialog_add_button(GTK_DIALOG(dialog), "OK", GTK_RESPONSE_OK);
    g_signal_connect(dialog, "response", G_CALLBACK(gtk_widget_destroy), nullptr);

    GtkWidget* grid = gtk_grid_new();
    gtk_grid_set_row_spacing(GTK_GRID(grid), 6);
    gtk_grid_set_column_spacing(GTK_GRID(grid), 12);
    gtk_container_set_border_width(GTK_CONTAINER(grid), 12);
    GtkGrid* g = GTK_GRID(grid);
    int row = 0;
    AddRow(g, row++, "タイトル:", p.title);
    AddRow(g, row++, "アドレス (URL):", p.address);
    AddRow(g, row++, "種類:", p.mimeType);
    AddRow(g, row++, "サイズ:", FormatByteSize(p.size));
    AddRow(g, row++, "状態:", StatusText(p.statusCode));
    AddRow(g, row++, "更新日時:", p.lastModified.empty() ? std::string() : FormatHttpDate(p.lastModified));
    AddRow(g, row++, "日付:", p.date.empty() ? std::string() : FormatHttpDate(p.date));
    AddRow(g, row++, "接続:", SecurityText(p.security));
    gtk_container_add(GTK_CONTAINER(gtk_dialog_get_content_area(GTK_DIALOG(dialog))), grid);
    gtk_widget_show_all(grid);
    return dialog;
}

void ShowPageProperties(WebKitWebView* view, GCancellable* cancellable) {
    // The view may be gone when the answer comes; its window is looked up then.
    auto page = std::make_shared<WeakWidget>(GTK_WIDGET(view));
    GatherPageProperties(view, cancellable, [page](const PageProperties& properties) {
        GtkWidget* widget = page->Get();
        if (!widget) return;
        GtkWidget* dialog = NewPagePropertiesDialog(WindowOf(widget), properties);
        g_object_unref(widget);
        gtk_widget_show(dialog);
    });
}

}  // namespace fern
