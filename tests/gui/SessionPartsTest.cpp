// The address bar, the closed tabs and the logs put together on a frame of
// scripted pages: the menu "最近閉じたURL(&E)" fills on demand and reopens a
// closed tab, and the exit steps write what the next start reads.
#include <gtest/gtest.h>

#include <gtkmm.h>

#include <string>

#include "addressbar/gtk/AddressBarFeature.h"
#include "addressbar/gtk/UrlAddDialog.h"
#include "app/DataPaths.h"
#include "commands/CommandRouter.h"
#include "commands/MenuLayout.h"
#include "fakes/FakeProfile.h"
#include "frame/SessionLists.h"
#include "frame/SessionTestFrame.h"
#include "frame/gtk/AutoSaveDialog.h"
#include "gui/GuiTestSupport.h"
#include "platform/fs/FileIo.h"
#include "platform/text/Encoding.h"
#include "ui/gtk/MenuBuilder.h"

using namespace fern;
using namespace fern::test;

namespace {

// One run of the program: settings from the profile, the frame, the address
// bar and the session lists with their menu.
struct ProgramRun : SessionTestFrame {
    DataPaths paths;
    Gtk::Window window;
    Gtk::MenuBar menuBar;
    CCommandRouter router;
    COptionsPages optionsPages;
    std::unique_ptr<AddressBarFeature> addressBar;
    std::unique_ptr<CSessionLists> lists;

    ProgramRun(FakeProfile& profile, FakeProfile& windows, const std::string& folder)
        : SessionTestFrame(profile, windows), paths(MakeDataPaths(folder)) {
        addressBar = std::make_unique<AddressBarFeature>(frame, window, settings, optionsPages, messageBox,
                                                         paths.typedHistory, folder + "/tmp");
        lists = std::make_unique<CSessionLists>(
            frame, settings, SessionFiles{paths.recentClosed, paths.stateLog, paths.startupList}, messageBox,
            SessionDialogs{});
        addressBar->RegisterCommands(router);
        lists->RegisterCommands(router);
        auto context = std::make_shared<MenuContext>();
        context->router = &router;
        context->run = [this](int id) { router.Run(id); };
        FillMenuBar(menuBar,
                    {Submenu("ファイル(&F)",
                             {CommandItem(ID_FILE_OPEN_URL), MenuSeparator(),
                              Submenu(kRecentClosedMenuText,
                                      {DynamicItems(kRecentClosedMenu), MenuSeparator(),
                                       CommandItem(ID_RECENT_SAVE), CommandItem(ID_RECENT_OPEN_ALL)})})},
                    context);
        auto* box = Gtk::manage(new Gtk::Box(Gtk::ORIENTATION_VERTICAL));
        box->pack_start(menuBar, Gtk::PACK_SHRINK);
        box->pack_start(addressBar->Widget(), Gtk::PACK_SHRINK);
        window.add(*box);
        window.show_all();
        Pump();
    }

    void CloseTab(int index) {
        frame.CloseTab(index);
        queue.RunAll();
    }
};

// The text of an item's own label (the first label in it).
std::string ItemLabel(Gtk::Widget& widget) {
    if (auto* label = dynamic_cast<Gtk::Label*>(&widget)) return label->get_label();
    if (auto* bin = dynamic_cast<Gtk::Bin*>(&widget); bin && bin->get_child())
        return ItemLabel(*bin->get_child());
    if (auto* box = dynamic_cast<Gtk::Container*>(&widget))
        for (Gtk::Widget* child : box->get_children())
            if (std::string text = ItemLabel(*child); !text.empty()) return text;
    return {};
}

std::vector<std::string> Labels(Gtk::Menu& menu) {
    std::vector<std::string> labels;
    for (Gtk::Widget* child : menu.get_children())
        if (auto* item = dynamic_cast<Gtk::MenuItem*>(child); item && item->get_visible())
            labels.push_back(ItemLabel(*item));
    return labels;
}

Gtk::Menu* FindSubmenu(Gtk::MenuShell& shell, const std::string& sjisText) {
    std::string label = MnemonicLabel(sjisText);
    for (Gtk::Widget* child : shell.get_children()) {
        auto* item = dynamic_cast<Gtk::MenuItem*>(child);
        if (!item || !item->get_submenu()) continue;
        if (ItemLabel(*item) == label) return item->get_submenu();
        if (Gtk::Menu* found = FindSubmenu(*item->get_submenu(), sjisText)) return found;
    }
    return nullptr;
}

}  // namespace

TEST(SessionParts, ClosedTabReopensFromTheMenuAndTheStateComesBackAfterARestart) {
    InitGtkOnce();
    const std::string folder = FromUtf8(MakeTempDir("fern-session-XXXXXX"));
    FakeProfile profile, windows;
    profile.Set("Startup", "SUStyle", "3");
    // typed.fbl of an earlier run, with words of the search panels.
    ASSERT_TRUE(WriteFileAtomic(
        folder + "/typed.fbl",
        "#FOLDER\r\n\tNAME=typedurl\r\n\r\n#URL\r\n\tURL=http://127.0.0.1:9/old\r\n\r\n-\r\n\r\n"
        "#FOLDER\r\n\tNAME=typedhs\r\n\r\n#URL\r\n\tURL=検索語\r\n\r\n-\r\n\r\n"));
    {
        ProgramRun run(profile, windows, folder);
        EXPECT_EQ(run.addressBar->Logic().TypedUrls(), (std::vector<std::string>{"http://127.0.0.1:9/old"}));
        for (const char* url : {"http://127.0.0.1:9/a", "http://127.0.0.1:9/b", "http://127.0.0.1:9/c"})
            run.frame.OpenUrl(url, 3, 0x70, 0);
        run.CloseTab(1);

        Gtk::Menu* recent = FindSubmenu(run.menuBar, kRecentClosedMenuText);
        ASSERT_NE(recent, nullptr);
        static_cast<Gtk::MenuItem*>(run.menuBar.get_children()[0])
            ->get_submenu()
            ->show();  // the File menu opens
        std::vector<std::string> labels = Labels(*recent);
        ASSERT_EQ(labels.size(), 4u);
        EXPECT_EQ(labels[0], ToUtf8("_1 Title of http://127.0.0.1:9/b"));
        EXPECT_EQ(labels[2], ToUtf8("保存する(_S)"));
        static_cast<Gtk::MenuItem*>(recent->get_children()[0])->activate();
        Pump();
        EXPECT_EQ(run.Urls(), "http://127.0.0.1:9/a http://127.0.0.1:9/c http://127.0.0.1:9/b");

        run.frame.opened.Emit("http://127.0.0.1:9/typed", 0xE);
        run.frame.SaveOnExit(true, false);
    }
    EXPECT_NE(ReadWholeFile(folder + "/typed.fbl")
                  ->find("#FOLDER\r\n\tNAME=typedhs\r\n\r\n#URL\r\n\tURL=検索語\r\n\r\n-"),
              std::string::npos);
    EXPECT_EQ(profile.Get("RecentCloseUrl", "RCUStyle"), "7");
    {
        ProgramRun again(profile, windows, folder);
        again.lists->OpenAtStartup(false);
        EXPECT_EQ(again.Urls(), "http://127.0.0.1:9/a http://127.0.0.1:9/c http://127.0.0.1:9/b");
        EXPECT_EQ(again.addressBar->Logic().TypedUrls().front(), "http://127.0.0.1:9/typed");
        EXPECT_EQ(again.lists->Closed().Items().size(), 1u);
    }
    RemoveTree(folder);
}

TEST(SessionDialogs, OpenDialogOkFollowsTheTextAndTheCheckBoxFollowsFDStyle) {
    InitGtkOnce();
    Gtk::Window parent;
    FakeProfile profile, windows;
    profile.Set("FileDlg", "FDStyle", "5");  // open in a new tab, remember folders
    SettingsStore store(profile, windows);
    CSettingsService settings(store);
    UrlAddDialog dialog(parent, {"http://127.0.0.1:9/a", "http://127.0.0.1:9/b"}, settings);
    EXPECT_EQ(dialog.get_title(), ToUtf8("ファイルを開く"));
    EXPECT_TRUE(dialog.NewTab().get_active());
    EXPECT_EQ(gtk_tree_model_iter_n_children(GTK_TREE_MODEL(dialog.Combo().get_model()->gobj()), nullptr), 2);
    EXPECT_FALSE(dialog.OkButton()->get_sensitive());
    dialog.Combo().get_entry()->set_text("x");
    EXPECT_TRUE(dialog.OkButton()->get_sensitive());
    dialog.Combo().get_entry()->set_text("");
    EXPECT_FALSE(dialog.OkButton()->get_sensitive());

    AutoSaveDialog autoSave(parent, 7);
    EXPECT_EQ(autoSave.get_title(), ToUtf8("自動保存"));
    EXPECT_EQ(autoSave.Minutes().get_value_as_int(), 7);
    autoSave.Minutes().set_value(99);
    EXPECT_EQ(autoSave.Minutes().get_value_as_int(), 60);
}
