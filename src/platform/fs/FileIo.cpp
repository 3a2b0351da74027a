#include "platform/fs/FileIo.h"

#include <glib.h>

#include <cstdio>

#include "platform/text/Encoding.h"

namespace fern {

std::string ToFsPath(std::string_view path) { return ToUtf8(path); }

std::optional<std::string> ReadWholeFile(std::string_view path, std::string* error) {
    std::string fsPath = ToFsPath(path);
    if (g_file_test(fsPath.c_str(), G_FILE_TEST_IS_DIR)) {
        if (error) *error = "is a folder";
        return std::nullopt;
    }
    gchar* contents = nullptr;
    gsize length = 0;
    GError* err = nullptr;
    if (!g_file_get_contents(fsPath.c_str(), &contents, &length, &err)) {
        if (error) *error = err ? err->message : "cannot read";
        if (err) g_error_free(err);
        return std::nullopt;
    }
    std::string bytes(contents, length);
    g_free(contents);
    return bytes;
}

bool WriteFileAtomic(std::string_view path, std::string_view bytes, std::string* error) {
    std::string fsPath = ToFsPath(path);
    GError* err = nullptr;
    gboolean ok = g_file_set_contents_full(fsPath.c_str(), bytes.data(),
                                           static_cast<gssize>(bytes.size()),
                                           G_FILE_SET_CONTENTS_CONSISTENT, 0666, &err);
    if (!ok) {
        if (error) *error = err ? err->message : "cannot write";
        if (err) g_error_free(err);
        return false;
    }
    return true;
}

bool IsRegularFile(std::string_view path) {
    return g_file_test(ToFsPath(path).c_str(), G_FILE_TEST_IS_REGULAR);
}

bool IsDirectory(std::string_view path) {
    return g_file_test(ToFsPath(path).c_str(), G_FILE_TEST_IS_DIR);
}

void LogWriteFailure(std::string_view path, std::string_view reason) {
    std::string text = ToUtf8(path);
    std::fprintf(stderr, "fern: could not save %s: %.*s\n", text.c_str(),
                 static_cast<int>(reason.size()), reason.data());
}

}  // namespace fern
