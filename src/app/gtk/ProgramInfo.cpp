#include "app/gtk/ProgramInfo.h"

#include <gtkmm.h>
#include <webkit2/webkit2.h>

#include <cstdio>

#include "platform/text/Encoding.h"

namespace fern {

namespace {

std::string VersionText() {
    char text[64];
    std::snprintf(text, sizeof text, "%d.%d%d A Build %d", FERN_VERSION_MAJOR, FERN_VERSION_MINOR,
                  FERN_VERSION_PATCH, 0);
    return text;
}

}  // namespace

// res/ beside the executable, then the installed share/fern/res.
std::string ResourceFolder() {
    gchar* exe = g_file_read_link("/proc/self/exe", nullptr);
    std::string folder;
    if (exe) {
        gchar* dir = g_path_get_dirname(exe);
        folder = std::string(dir) + "/res";
        g_free(dir);
        g_free(exe);
    }
    if (folder.empty() || !g_file_test(folder.c_str(), G_FILE_TEST_IS_DIR)) folder = FERN_SHARE_DIR "/res";
    return folder;
}

std::string ExecutablePath() {
    gchar* exe = g_file_read_link("/proc/self/exe", nullptr);
    std::string path = exe ? std::string(exe) : std::string("fern");
    g_free(exe);
    return path;
}

std::string AboutText(int closedTotal) {
    char text[512];
    std::snprintf(text, sizeof text,
                  "Version %s\r\n\r\n[ Fern Browser ] ver %s\r\n[ WebKitGTK ] ver %u.%u.%u\r\n"
                  "[ GTK ] ver %u.%u.%u\r\n\r\nClosed Total: %d",
                  VersionText().c_str(), VersionText().c_str(), webkit_get_major_version(),
                  webkit_get_minor_version(), webkit_get_micro_version(), gtk_get_major_version(),
                  gtk_get_minor_version(), gtk_get_micro_version(), closedTotal);
    return text;
}

}  // namespace fern
