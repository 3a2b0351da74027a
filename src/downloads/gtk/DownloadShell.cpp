#include "downloads/gtk/DownloadShell.h"

#include <gio/gio.h>

#include <cstdio>
#include <memory>

#include "downloads/DownloadFiles.h"

namespace fern {

namespace {

void Launch(const std::string& fsPath) {
    gchar* uri = g_filename_to_uri(fsPath.c_str(), nullptr, nullptr);
    if (!uri) return;
    g_app_info_launch_default_for_uri_async(
        uri, nullptr, nullptr,
        [](GObject*, GAsyncResult* result, gpointer data) {
            GError* error = nullptr;
            if (!g_app_info_launch_default_for_uri_finish(result, &error)) {
                std::fprintf(stderr, "fern: cannot open %s: %s\n", static_cast<char*>(data),
                             error ? error->message : "?");
                if (error) g_error_free(error);
            }
            g_free(data);
        },
        uri);
}

}  // namespace

bool DownloadShell::OpenFile(const std::string& fsPath) {
    Launch(fsPath);
    return true;
}

bool DownloadShell::OpenFolder(const std::string& fsPath) {
    gchar* uri = g_filename_to_uri(fsPath.c_str(), nullptr, nullptr);
    if (!uri) return false;
    // The bus the desktop already holds open; none means no file manager to ask.
    GDBusConnection* bus = g_bus_get_sync(G_BUS_TYPE_SESSION, nullptr, nullptr);
    if (!bus) {
        g_free(uri);
        Launch(FolderOfPath(fsPath));
        return true;
    }
    struct Ask {
        std::string folder;
    };
    const gchar* items[] = {uri, nullptr};
    // A file manager that shows the file selected; else the folder is opened.
    g_dbus_connection_call(
        bus, "org.freedesktop.FileManager1", "/org/freedesktop/FileManager1", "org.freedesktop.FileManager1",
        "ShowItems", g_variant_new("(^ass)", items, ""), nullptr, G_DBUS_CALL_FLAGS_NONE, 5000, nullptr,
        [](GObject* source, GAsyncResult* result, gpointer data) {
            std::unique_ptr<Ask> ask(static_cast<Ask*>(data));
            GError* error = nullptr;
            GVariant* reply = g_dbus_connection_call_finish(G_DBUS_CONNECTION(source), result, &error);
            if (reply) g_variant_unref(reply);
            if (error) {
                g_error_free(error);
                Launch(ask->folder);
            }
        },
        new Ask{FolderOfPath(fsPath)});
    g_object_unref(bus);
    g_free(uri);
    return true;
}

}  // namespace fern
