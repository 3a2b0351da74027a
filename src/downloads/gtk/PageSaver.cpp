#include "downloads/gtk/PageSaver.h"

#include <memory>

#include "downloads/DownloadFiles.h"
#include "downloads/SaveAsPlan.h"
#include "downloads/gtk/SaveChooser.h"
#include "platform/gtk/GuardedCall.h"
#include "platform/text/Encoding.h"
#include "platform/text/UrlText.h"

namespace fern {

namespace {

const char kCaption[] = "Fern Browser";

SaveChoiceFormat ChoiceFormat(SaveFormat format, const std::string& url, const std::string& mimeType) {
    const std::string extension = FormatExtension(format, url, mimeType);
    if (format == SaveFormat::Mhtml) return {"Web ページ、単一ファイル (*.mhtml)", extension};
    if (IsHtmlType(mimeType)) return {"Web ページ、HTML のみ (*" + extension + ")", extension};
    if (extension.empty()) return {"すべてのファイル", extension};
    return {"ファイル (*" + extension + ")", extension};
}

// What an answer from the loop needs; it outlives the command.
struct Writing {
    IMessageBox* messageBox;
    std::shared_ptr<bool> alive;
    std::string path, part;
    bool replace = false;
};

void Report(IMessageBox& box, const std::string& reason) {
    box.Show("ページを保存できませんでした。\n" + reason, kCaption, MessageBoxKind::Ok);
}

}  // namespace

PageSaver::PageSaver(Gtk::Window& parent, CSettingsService& settings, IMessageBox& messageBox)
    : m_parent(parent), m_settings(settings), m_messageBox(messageBox), m_cancellable(g_cancellable_new()) {}

PageSaver::~PageSaver() {
    *m_alive = false;
    g_cancellable_cancel(m_cancellable);
    g_object_unref(m_cancellable);
}

void PageSaver::Save(WebKitWebView* view) {
    WebKitWebResource* resource = view ? webkit_web_view_get_main_resource(view) : nullptr;
    if (!resource) return;
    WebKitURIResponse* response = webkit_web_resource_get_response(resource);
    const gchar* type = response ? webkit_uri_response_get_mime_type(response) : nullptr;
    const std::string mimeType = type ? type : "";
    const gchar* title = webkit_web_view_get_title(view);
    const gchar* uri = webkit_web_view_get_uri(view);
    const std::string url = UrlFromUtf8(uri ? uri : "");
    SaveAsPlan plan = PlanSaveAs(FromUtf8(title ? title : ""), url, mimeType);
    std::vector<SaveChoiceFormat> formats;
    for (SaveFormat format : plan.formats) formats.push_back(ChoiceFormat(format, url, mimeType));
    std::optional<SaveChoice> choice = ChooseSavePath(m_parent, plan.fileName, formats, m_settings);
    if (!choice) return;

    auto* writing = new Writing{&m_messageBox, m_alive, choice->path, {}, choice->replace};
    if (plan.formats[choice->format] == SaveFormat::Mhtml) {
        std::string error;
        std::optional<std::string> part = ClaimPartFile(choice->path, {}, &error);
        if (!part) {
            delete writing;
            Report(m_messageBox, error);
            return;
        }
        writing->part = *part;
        GFile* file = g_file_new_for_path(part->c_str());
        webkit_web_view_save_to_file(
            view, file, WEBKIT_SAVE_MODE_MHTML, m_cancellable,
            [](GObject* source, GAsyncResult* result, gpointer data) {
                std::unique_ptr<Writing> writing(static_cast<Writing*>(data));
                GError* error = nullptr;
                const bool saved =
                    webkit_web_view_save_to_file_finish(WEBKIT_WEB_VIEW(source), result, &error);
                std::string reason = error ? FromUtf8(error->message) : std::string();
                const bool cancelled = error && g_error_matches(error, G_IO_ERROR, G_IO_ERROR_CANCELLED);
                if (error) g_error_free(error);
                std::optional<std::string> placed;
                if (saved)
                    placed = PlaceFinishedFile(writing->part, writing->path, writing->replace, &reason);
                if (placed) return;
                RemovePartFiles(writing->part, {});
                if (!cancelled && *writing->alive)
                    Guard("save page", [&] { Report(*writing->messageBox, reason); });
            },
            writing);
        g_object_unref(file);
        return;
    }
    webkit_web_resource_get_data(
        resource, m_cancellable,
        [](GObject* source, GAsyncResult* result, gpointer data) {
            std::unique_ptr<Writing> writing(static_cast<Writing*>(data));
            GError* error = nullptr;
            gsize length = 0;
            guchar* bytes =
                webkit_web_resource_get_data_finish(WEBKIT_WEB_RESOURCE(source), result, &length, &error);
            std::string reason = error ? FromUtf8(error->message) : std::string();
            const bool cancelled = error && g_error_matches(error, G_IO_ERROR, G_IO_ERROR_CANCELLED);
            if (error) g_error_free(error);
            std::optional<std::string> placed;
            if (bytes || !error)
                placed = WriteThroughPartFile(
                    writing->path, std::string_view(reinterpret_cast<const char*>(bytes), bytes ? length : 0),
                    writing->replace, &reason);
            g_free(bytes);
            if (!placed && !cancelled && *writing->alive)
                Guard("save page", [&] { Report(*writing->messageBox, reason); });
        },
        writing);
}

}  // namespace fern
