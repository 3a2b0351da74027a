#include "platform/gtk/WebKitPagePrint.h"

#include <fcntl.h>
#include <glib/gstdio.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <memory>

#include "platform/gtk/WebKitContext.h"
#include "platform/gtk/WebKitPageCommon.h"
#include "platform/text/Encoding.h"

namespace fern {

namespace {

GtkPageSetup* g_pageSetup = nullptr;
GtkPrintSettings* g_printSettings = nullptr;

GtkPrintSettings* ProgramPrintSettings() {
    if (!g_printSettings) g_printSettings = gtk_print_settings_new();
    return g_printSettings;
}

template <class T>
void Keep(T*& slot, T* value) {
    if (!value || value == slot) return;
    g_object_ref(value);
    if (slot) g_object_unref(slot);
    slot = value;
}

struct Preview {
    WebKitContext* context;
    std::shared_ptr<WeakWidget> page;
    std::string file;   // UTF-8
    std::string title;  // UTF-8
    std::string error;  // UTF-8
    std::function<void(GtkWidget*)> shown;
};

void FailPreview(GtkWidget* page, const std::string& reason) {
    std::fprintf(stderr, "fern: print preview: %s\n", reason.c_str());
    if (page) TellPageError(page, "印刷プレビューを表示できませんでした。\n" + FromUtf8(reason));
}

void OpenPreviewWindow(Preview& preview, GBytes* pdf) {
    WebKitSettings* settings = preview.context->NewTabSettings();
    GtkWidget* view = GTK_WIDGET(g_object_new(WEBKIT_TYPE_WEB_VIEW, "web-context", preview.context->Context(),
                                              "settings", settings, nullptr));
    g_object_unref(settings);
    webkit_web_view_set_editable(WEBKIT_WEB_VIEW(view), FALSE);
    GtkWidget* window = gtk_window_new(GTK_WINDOW_TOPLEVEL);
    std::string title = ToUtf8("印刷プレビュー - ") + preview.title;
    gtk_window_set_title(GTK_WINDOW(window), title.c_str());
    gtk_window_set_default_size(GTK_WINDOW(window), 800, 900);
    gtk_container_add(GTK_CONTAINER(window), view);
    // The document is handed over as bytes: the page processes cannot read
    // our temporary folder.
    webkit_web_view_load_bytes(WEBKIT_WEB_VIEW(view), pdf, "application/pdf", nullptr, nullptr);
    gtk_widget_show_all(window);
    if (preview.shown) preview.shown(window);
}

void OnPreviewFailed(WebKitPrintOperation*, GError* error, gpointer data) {
    static_cast<Preview*>(data)->error = error && error->message ? error->message : "unknown error";
}

void OnPreviewFinished(WebKitPrintOperation* operation, gpointer data) {
    std::unique_ptr<Preview> preview(static_cast<Preview*>(data));
    g_signal_handlers_disconnect_by_data(operation, data);
    g_object_unref(operation);
    GtkWidget* page = preview->page->Get();
    gchar* bytes = nullptr;
    gsize length = 0;
    GError* error = nullptr;
    if (preview->error.empty() && !g_file_get_contents(preview->file.c_str(), &bytes, &length, &error))
        preview->error = error->message;
    if (error) g_error_free(error);
    g_unlink(preview->file.c_str());
    if (preview->error.empty() && length == 0) preview->error = "the printed document is empty";
    if (!preview->error.empty()) {
        FailPreview(page, preview->error);
    } else {
        GBytes* pdf = g_bytes_new_take(bytes, length);
        bytes = nullptr;
        OpenPreviewWindow(*preview, pdf);
        g_bytes_unref(pdf);
    }
    g_free(bytes);
    if (page) g_object_unref(page);
}

}  // namespace

GtkPageSetup* ProgramPageSetup() {
    if (!g_pageSetup) g_pageSetup = gtk_page_setup_new();
    return g_pageSetup;
}

std::optional<std::string> PrivateTempFolder() {
    char name[64];
    std::snprintf(name, sizeof name, "fern-%u", static_cast<unsigned>(getuid()));
    gchar* path = g_build_filename(g_get_tmp_dir(), name, nullptr);
    std::string folder = path;
    g_free(path);
    if (g_mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST) return std::nullopt;
    // Someone else's folder, or a link planted in its place, is not used.
    struct stat info {};
    if (lstat(folder.c_str(), &info) != 0 || !S_ISDIR(info.st_mode) || info.st_uid != getuid())
        return std::nullopt;
    if ((info.st_mode & 0077) != 0 && chmod(folder.c_str(), 0700) != 0) return std::nullopt;
    return folder;
}

void PrintPage(WebKitWebView* view) {
    WebKitPrintOperation* operation = webkit_print_operation_new(view);
    webkit_print_operation_set_page_setup(operation, ProgramPageSetup());
    webkit_print_operation_set_print_settings(operation, ProgramPrintSettings());
    if (webkit_print_operation_run_dialog(operation, WindowOf(GTK_WIDGET(view))) ==
        WEBKIT_PRINT_OPERATION_RESPONSE_PRINT) {
        Keep(g_pageSetup, webkit_print_operation_get_page_setup(operation));
        Keep(g_printSettings, webkit_print_operation_get_print_settings(operation));
        // Printing goes on after the dialog; the operation lives until it ends.
        g_signal_connect(operation, "finished",
                         G_CALLBACK(+[](WebKitPrintOperation* op, gpointer) { g_object_unref(op); }),
                         nullptr);
    } else {
        g_object_unref(operation);
    }
}

void RunPageSetup(WebKitWebView* view) {
    GtkPageSetup* chosen = gtk_print_run_page_setup_dialog(WindowOf(GTK_WIDGET(view)), ProgramPageSetup(),
                                                           ProgramPrintSettings());
    if (!chosen) return;
    Keep(g_pageSetup, chosen);
    g_object_unref(chosen);
}

void ShowPrintPreview(WebKitContext& context, WebKitWebView* view, std::function<void(GtkWidget*)> shown) {
    std::optional<std::string> folder = PrivateTempFolder();
    if (!folder) {
        FailPreview(GTK_WIDGET(view), "no private temporary folder");
        return;
    }
    gchar* path = g_build_filename(folder->c_str(), "preview-XXXXXX.pdf", nullptr);
    // Made by us before the printer writes it, so nobody can slip a link in.
    const int fd = g_mkstemp_full(path, O_RDWR, 0600);
    if (fd < 0) {
        FailPreview(GTK_WIDGET(view), std::string("cannot create ") + path);
        g_free(path);
        return;
    }
    close(fd);
    auto* preview =
        new Preview{&context, std::make_shared<WeakWidget>(GTK_WIDGET(view)), path, "", "", std::move(shown)};
    g_free(path);
    const gchar* title = webkit_web_view_get_title(view);
    const gchar* uri = webkit_web_view_get_uri(view);
    preview->title = title && *title ? title : (uri ? uri : "");

    GtkPrintSettings* settings = gtk_print_settings_copy(ProgramPrintSettings());
    // The file printer is named in the user's language.
    gtk_print_settings_set_printer(settings, g_dgettext("gtk30", "Print to File"));
    gtk_print_settings_set(settings, GTK_PRINT_SETTINGS_OUTPUT_FILE_FORMAT, "pdf");
    gchar* fileUri = g_filename_to_uri(preview->file.c_str(), nullptr, nullptr);
    gtk_print_settings_set(settings, GTK_PRINT_SETTINGS_OUTPUT_URI, fileUri);
    g_free(fileUri);

    WebKitPrintOperation* operation = webkit_print_operation_new(view);
    webkit_print_operation_set_page_setup(operation, ProgramPageSetup());
    webkit_print_operation_set_print_settings(operation, settings);
    g_object_unref(settings);
    g_signal_connect(operation, "failed", G_CALLBACK(OnPreviewFailed), preview);
    g_signal_connect(operation, "finished", G_CALLBACK(OnPreviewFinished), preview);
    webkit_print_operation_print(operation);
}

}  // namespace fern
