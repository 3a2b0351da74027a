#include "platform/fs/FsPath.h"

#include <glib.h>

#include "platform/text/Encoding.h"

namespace fern {

std::string PathForDisplay(std::string_view fsPath) {
    std::string path(fsPath);
    gchar* display = g_filename_display_name(path.c_str());
    std::string text = FromUtf8(display ? display : "");
    g_free(display);
    return text;
}

std::string PathToText(std::string_view fsPath) {
    std::string path(fsPath);
    if (g_utf8_validate(path.data(), static_cast<gssize>(path.size()), nullptr)) {
        std::string sjis = FromUtf8(path);
        if (ToUtf8(sjis) == path && !IsFileUri(sjis)) return sjis;
    }
    std::string uri = FileUriOfPath(path);
    return uri.empty() ? FromUtf8(path) : uri;
}

std::string PathFromText(std::string_view text) {
    if (!IsFileUri(text)) return ToUtf8(text);
    std::string uri = ToUtf8(text);
    gchar* host = nullptr;
    gchar* name = g_filename_from_uri(uri.c_str(), &host, nullptr);
    // A file on another host is no path here.
    bool local = !host || g_ascii_strcasecmp(host, "localhost") == 0;
    std::string path = name && local ? name : "";
    g_free(name);
    g_free(host);
    return path;
}

std::string FileUriOfPath(std::string_view fsPath) {
    std::string path(fsPath);
    if (path.empty()) return {};
    if (!g_path_is_absolute(path.c_str())) {
        gchar* current = g_get_current_dir();
        gchar* joined = g_build_filename(current, path.c_str(), nullptr);
        path = joined;
        g_free(joined);
        g_free(current);
    }
    gchar* uri = g_filename_to_uri(path.c_str(), nullptr, nullptr);
    std::string result = uri ? uri : "";
    g_free(uri);
    return result;
}

bool IsFileUri(std::string_view text) {
    return text.size() >= 5 && g_ascii_strncasecmp(text.data(), "file:", 5) == 0;
}

}  // namespace fern
