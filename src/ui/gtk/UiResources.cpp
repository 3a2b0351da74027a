#include "ui/gtk/UiResources.h"

#include <cstdio>
#include <cstdlib>

// Made by glib-compile-resources; registers the bundle when the program
// starts. Naming it keeps the linker from leaving the bundle out.
extern "C" GResource* fern_ui_get_resource(void);

namespace fern {

namespace {
constexpr char kPrefix[] = "/org/fern/browser/ui/";
}  // namespace

Glib::RefPtr<Gtk::Builder> LoadUi(const std::string& name) {
    (void)fern_ui_get_resource();
    try {
        return Gtk::Builder::create_from_resource(kPrefix + name);
    } catch (const Glib::Error& e) {
        std::fprintf(stderr, "fern: the window layout %s cannot be loaded: %s\n", name.c_str(),
                     e.what().c_str());
        std::abort();
    }
}

std::vector<std::string> BundledUiFiles() {
    (void)fern_ui_get_resource();
    std::vector<std::string> files;
    GError* error = nullptr;
    std::string folder(kPrefix);
    folder.pop_back();
    gchar** names = g_resources_enumerate_children(folder.c_str(), G_RESOURCE_LOOKUP_FLAGS_NONE, &error);
    if (!names) {
        if (error) g_error_free(error);
        return files;
    }
    for (gchar** name = names; *name; ++name) {
        std::string file = *name;
        if (file.size() > 3 && file.compare(file.size() - 3, 3, ".ui") == 0) files.push_back(file);
    }
    g_strfreev(names);
    return files;
}

}  // namespace fern
