// The WebKit set-up calls of the browser's start-up, each timed on the UI
// thread as the browser makes them: the profile's data manager and context,
// and the favicon database, which WebKit opens (and on a first start
// creates) before the call returns.
//
//   fern_webkit_steps [--ephemeral] PROFILE_DIR
//
// PROFILE_DIR is used as the browser's data folder would be (webkit/data,
// webkit/cache, webkit/favicons below it); run it twice on the same folder to
// see a first start and a later one. Prints one line; exit status 0, or 2 on
// bad arguments or no display.
#include <webkit2/webkit2.h>

#include <cstdio>
#include <cstring>
#include <ctime>
#include <string>

namespace {

double NowMs() {
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return static_cast<double>(ts.tv_sec) * 1000.0 + static_cast<double>(ts.tv_nsec) / 1e6;
}

std::string Folder(const std::string& base, const char* name) {
    std::string path = base + "/webkit/" + name;
    g_mkdir_with_parents(path.c_str(), 0700);
    return path;
}

}  // namespace

int main(int argc, char** argv) {
    bool ephemeral = false;
    const char* profile = nullptr;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--ephemeral") == 0) ephemeral = true;
        else if (argv[i][0] != '-' && !profile) profile = argv[i];
        else profile = nullptr, i = argc;
    }
    if (!profile) {
        std::fprintf(stderr, "usage: %s [--ephemeral] PROFILE_DIR\n", argv[0]);
        return 2;
    }
    if (!gtk_init_check(&argc, &argv)) {
        std::fprintf(stderr, "no display\n");
        return 2;
    }
    std::string base = profile;
    bool existed =
        g_file_test(Folder(base, "favicons").append("/WebpageIcons.db").c_str(), G_FILE_TEST_EXISTS);

    double t0 = NowMs();
    WebKitWebsiteDataManager* data =
        ephemeral
            ? webkit_website_data_manager_new_ephemeral()
            : webkit_website_data_manager_new("base-data-directory", Folder(base, "data").c_str(),
                                              "base-cache-directory", Folder(base, "cache").c_str(), nullptr);
    WebKitWebContext* context = webkit_web_context_new_with_website_data_manager(data);
    webkit_web_context_set_sandbox_enabled(context, TRUE);
    webkit_web_context_set_cache_model(context, WEBKIT_CACHE_MODEL_WEB_BROWSER);
    double t1 = NowMs();
    webkit_web_context_set_favicon_database_directory(context, Folder(base, "favicons").c_str());
    double t2 = NowMs();
    std::printf("context %.1f ms; favicon database (%s) %.1f ms\n", t1 - t0, existed ? "existing" : "new",
                t2 - t1);

    g_object_unref(context);
    g_object_unref(data);
    return 0;
}
