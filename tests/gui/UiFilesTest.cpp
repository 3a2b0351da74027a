#include <gtest/gtest.h>

#include "gui/GuiTestSupport.h"
#include "ui/gtk/UiResources.h"

using namespace fern;
using fern::test::InitGtkOnce;

// A renamed or misspelt widget id shows here, not when a user opens the dialog.
TEST(UiFiles, EveryBundledLayoutLoadsWithTheObjectsTheCodeAsksFor) {
    InitGtkOnce();
    std::vector<std::string> files = BundledUiFiles();
    EXPECT_GE(files.size(), 3u);
    for (const std::string& file : files) {
        Glib::RefPtr<Gtk::Builder> builder = LoadUi(file);
        EXPECT_FALSE(builder->get_objects().empty()) << file;
    }
    const std::pair<const char*, std::vector<const char*>> asked[] = {
        {"KeySettingsDialog.ui",
         {"dialog", "category", "commands", "keys", "capture", "status", "add", "delete", "deleteAll",
          "commandStore", "keyStore"}},
        {"MainFrameWindow.ui",
         {"content", "menuBarPlace", "toolBandsPlace", "addressBarPlace", "tabBarAbovePlace", "sideBarPlace",
          "pagesPlace", "tabBarBelowPlace", "statusBarPlace", "dockTopPlace", "dockLeftPlace",
          "dockRightPlace", "dockBottomPlace"}},
        {"OptionsDialog.ui", {"dialog", "pages", "stack", "pageStore"}},
    };
    for (const auto& [file, ids] : asked) {
        Glib::RefPtr<Gtk::Builder> builder = LoadUi(file);
        for (const char* id : ids) EXPECT_TRUE(builder->get_object(id)) << file << ": " << id;
    }
}
