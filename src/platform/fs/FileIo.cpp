#include "platform/fs/FileIo.h"

#include <glib.h>
#include <sys/stat.h>

#include <climits>
#include <cstdio>
#include <cstdlib>

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
    // Write through a link to the file it names, so the link stays a link.
    if (g_file_test(fsPath.c_str(), G_FILE_TEST_IS_SYMLINK)) {
        char resolved[PATH_MAX];
        if (realpath(fsPath.c_str(), resolved)) fsPath = resolved;
    }
    // The new file keeps the permissions of the one it replaces.
    int mode = 0666;
    struct stat st {};
    if (stat(fsPath.c_str(), &st) == 0 && S_ISREG(st.st_mode)) mode = st.st_mode & 07777;
    GError* err = nullptr;
    gboolean ok = g_file_set_contents_full(fsPath.c_str(), bytes.data(),
                                           static_cast<gssize>(bytes.size()),
                                           G_FILE_SET_CONTENTS_CONSISTENT, mode, &err);
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
