#include <gtest/gtest.h>

#include <set>
#include <stdexcept>

#include "commands/CommandCatalogue.h"
#include "commands/CommandRouter.h"
#include "commands/MenuLayout.h"

using namespace fern;

TEST(CommandCatalogue, EveryRowIsUniqueAndHasItsTextsAndEveryMenuIdIsInIt) {
    std::set<int> ids;
    for (const CommandInfo& command : CommandCatalogue()) {
        EXPECT_TRUE(ids.insert(command.id).second) << "twice: " << command.id;
        EXPECT_STRNE(command.menuText, "") << command.id;
        std::string prompt = command.prompt;
        EXPECT_NE(prompt.find('\n'), std::string::npos) << command.id << " has no short name";
        EXPECT_FALSE(ShortName(command).empty()) << command.id;
        EXPECT_FALSE(PromptText(command).empty()) << command.id;
    }
    for (const auto& menu : {MainMenuBar(), TabMenu(), TabBarMenu(), BookmarkPanelMenu(), BarsMenu()})
        for (int id : MenuCommandIds(menu)) EXPECT_NE(FindCommand(id), nullptr) << "menu id " << id;
    EXPECT_EQ(FindCommand(12345), nullptr);
}

TEST(CommandCatalogue, KeyTableSlotsAndCategories) {
    EXPECT_EQ(KeySlotAt(0).id, ID_NEW_TAB);
    EXPECT_EQ(KeySlotAt(0).category, 1);
    EXPECT_EQ(KeySlotAt(43).id, 32940);  // routed, not offered
    EXPECT_EQ(KeySlotAt(43).category, 0);
    EXPECT_EQ(KeySlotAt(143).id, 0);
    EXPECT_EQ(KeySlotAt(144).id, 0);
    EXPECT_EQ(KeySlotAt(-1).id, 0);
    EXPECT_EQ(SlotOfCommand(ID_TAB_CLOSE), 122);
    EXPECT_EQ(SlotOfCommand(ID_TAB_BACK), std::nullopt);  // back and forward have no slot
    int used = 0;
    for (int slot = 0; slot < kKeySlotCount; ++slot) used += KeySlotAt(slot).id != 0;
    EXPECT_EQ(used, 94);  // the command table
    EXPECT_STREQ(CategoryName(1), "ファイル系");
    EXPECT_STREQ(CategoryName(6), "タブ系");
    EXPECT_STREQ(CategoryName(7), "");
}

TEST(CommandCatalogue, NamesWithoutMnemonics) {
    EXPECT_EQ(PlainMenuText("新規タブ(&N)"), "新規タブ");
    EXPECT_EQ(PlainMenuText("開く(&O)..."), "開く");
    EXPECT_EQ(PlainMenuText("R&&D &Tools"), "R&D Tools");
    EXPECT_EQ(ShortName(CommandInfo{1, false, "x(&X)", "", ""}), "x");
    EXPECT_EQ(ShortName(*FindCommand(ID_TAB_CLOSE)), "閉じる");
}

TEST(CommandRouter, RunsEnablesChecksAndRangesAndKeepsFaultsIn) {
    CCommandRouter router;
    int runs = 0;
    bool enabled = true, checked = false;
    router.Add(1, {[&] { ++runs; }, [&] { return enabled; }, [&] { return checked; }});
    EXPECT_TRUE(router.Run(1));
    enabled = false;
    EXPECT_FALSE(router.Run(1));  // a disabled command does not run
    EXPECT_FALSE(router.IsEnabled(1));
    checked = true;
    EXPECT_TRUE(router.IsChecked(1));
    EXPECT_EQ(runs, 1);

    std::vector<int> ranged;
    router.AddRange(10, 12, {[&](int id) { ranged.push_back(id); }, {}, [](int id) { return id == 11; }});
    EXPECT_TRUE(router.Run(11));
    EXPECT_FALSE(router.Run(13));
    EXPECT_TRUE(router.IsChecked(11) && !router.IsChecked(10));
    EXPECT_EQ(ranged, std::vector<int>{11});

    // Nobody's command, and a handler that throws: false, nothing escapes.
    EXPECT_FALSE(router.Has(99) || router.Run(99) || router.IsEnabled(99));
    router.Add(2, [] { throw std::runtime_error("boom"); });
    ::testing::internal::CaptureStderr();
    EXPECT_FALSE(router.Run(2));
    EXPECT_NE(::testing::internal::GetCapturedStderr().find("boom"), std::string::npos);

    // A later registration replaces the earlier one.
    router.Add(1, [&] { runs += 10; });
    EXPECT_TRUE(router.Run(1));
    EXPECT_EQ(runs, 11);

    // Catalogue commands nobody registered are reported.
    std::vector<int> unserved = router.Unserved();
    EXPECT_EQ(unserved.size(), CommandCatalogue().size());
    router.Add(ID_TAB_CLOSE, [] {});
    EXPECT_EQ(router.Unserved().size(), CommandCatalogue().size() - 1);

    router.AddDynamicMenu("m", [] { return std::vector<DynamicMenuItem>{{5, "&1 x", false}}; });
    EXPECT_EQ(router.FillDynamicMenu("m").size(), 1u);
    EXPECT_TRUE(router.FillDynamicMenu("none").empty());
}
