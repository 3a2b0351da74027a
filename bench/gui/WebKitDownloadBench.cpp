// A bare WebKit download, none of our code: the engine's own rate, to set
// beside the browser's and curl's on the same server.
//
//   fern_webkit_download URL FILE
//
// Downloads URL into FILE (which must not exist) through a WebKit web
// context and prints "bytes N seconds S" from the destination being set to
// the download's end. Exit status 0, 1 when the download failed, 2 on bad
// arguments or no display.
#include <webkit2/webkit2.h>

#include <cstdio>
#include <string>

namespace {

struct Run {
    GMainLoop* loop = nullptr;
    std::string destination;
    gint64 start = 0;
    bool failed = false;
};

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3 || !gtk_init_check(&argc, &argv)) {
        std::fprintf(stderr, "usage: fern_webkit_download URL FILE (with a display)\n");
        return 2;
    }
    Run run;
    run.loop = g_main_loop_new(nullptr, FALSE);
    gchar* uri = g_filename_to_uri(argv[2], nullptr, nullptr);
    run.destination = uri ? uri : "";
    g_free(uri);
    WebKitWebContext* context = webkit_web_context_get_default();
    g_signal_connect(
        context, "download-started",
        G_CALLBACK(+[](WebKitWebContext*, WebKitDownload* download, gpointer data) {
            g_signal_connect(download, "decide-destination",
                             G_CALLBACK(+[](WebKitDownload* d, gchar*, gpointer data) {
                                 auto* run = static_cast<Run*>(data);
                                 run->start = g_get_monotonic_time();
                                 webkit_download_set_destination(d, run->destination.c_str());
                                 return TRUE;
                             }),
                             data);
            g_signal_connect(download, "failed",
                             G_CALLBACK(+[](WebKitDownload*, GError* error, gpointer data) {
                                 std::fprintf(stderr, "failed: %s\n", error->message);
                                 static_cast<Run*>(data)->failed = true;
                             }),
                             data);
            g_signal_connect(
                download, "finished", G_CALLBACK(+[](WebKitDownload* d, gpointer data) {
                    auto* run = static_cast<Run*>(data);
                    std::printf("bytes %llu seconds %.3f\n",
                                static_cast<unsigned long long>(webkit_download_get_received_data_length(d)),
                                (g_get_monotonic_time() - run->start) / 1e6);
                    g_main_loop_quit(run->loop);
                }),
                data);
        }),
        &run);
    webkit_web_context_download_uri(context, argv[1]);
    g_main_loop_run(run.loop);
    g_main_loop_unref(run.loop);
    return run.failed ? 1 : 0;
}
