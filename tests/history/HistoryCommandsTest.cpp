#include "history/HistoryCommands.h"

#include <gtest/gtest.h>

#include "fakes/FakeShell.h"
#include "history/LocalZone.h"

using namespace fern;
using fern::testing::LocalZone;

namespace {

struct FakeEraser : IHistoryEraser {
    std::vector<HistoryScope> deleted;
    int all = 0;
    bool usable = true, succeed = true;
    void Delete(HistoryScope scope, std::function<void(bool)> done) override {
        deleted.push_back(scope);
        done(succeed);
    }
    void DeleteAll(std::function<void(bool)> done) override {
        ++all;
        done(succeed);
    }
    bool Usable() const override { return usable; }
};

struct CommandsFixture : ::testing::Test {
    LocalZone zone{"Asia/Tokyo"};
    FakeEraser store;
    test::FakeMessageBox box;
    std::string active = "http://www.Example.com/page";
    CHistoryCommands commands{
        {store, box, [this] { return active; }, [] { return LocalZone::At(2026, 12, 9, 12, 0); }}};
};

TEST_F(CommandsFixture, EachClearsItsPartAfterAYes) {
    box.answer = MessageBoxAnswer::Yes;
    EXPECT_TRUE(commands.Command(ID_HISTORY_CLEAR_ALL));
    EXPECT_TRUE(commands.Command(ID_HISTORY_CLEAR_TODAY));
    EXPECT_TRUE(commands.Command(ID_HISTORY_CLEAR_SITE));
    EXPECT_EQ(store.all, 1);
    ASSERT_EQ(store.deleted.size(), 2u);
    EXPECT_EQ(store.deleted[0].from, LocalZone::At(2026, 12, 9, 0, 0));
    EXPECT_EQ(store.deleted[0].to, INT64_MAX);
    EXPECT_FALSE(store.deleted[0].site);
    EXPECT_EQ(store.deleted[1].site, "www.example.com");
    EXPECT_EQ(store.deleted[1].from, INT64_MIN);
    EXPECT_EQ(box.shown, (std::vector<std::string>{"すべての履歴を消去します。よろしいですか?",
                                                   "今日の履歴を消去します。よろしいですか?",
                                                   "www.example.com の履歴を消去します。よろしいですか?"}));
}

TEST_F(CommandsFixture, NoMeansNothingAndAFailureIsTold) {
    box.answer = MessageBoxAnswer::No;
    commands.Command(ID_HISTORY_CLEAR_ALL);
    commands.Command(ID_HISTORY_CLEAR_SITE);
    EXPECT_EQ(store.all, 0);
    EXPECT_TRUE(store.deleted.empty());
    box.answer = MessageBoxAnswer::Yes;
    store.succeed = false;
    box.shown.clear();
    commands.Command(ID_HISTORY_CLEAR_TODAY);
    EXPECT_EQ(box.shown.back(), "履歴を消去できませんでした。");
}

TEST_F(CommandsFixture, WhatCanBeChosen) {
    EXPECT_EQ(commands.IsEnabled(ID_HISTORY_CLEAR_SITE), true);
    active = "about:blank";
    EXPECT_EQ(commands.IsEnabled(ID_HISTORY_CLEAR_SITE), false);
    EXPECT_EQ(commands.IsEnabled(ID_HISTORY_CLEAR_ALL), true);
    store.usable = false;
    EXPECT_EQ(commands.IsEnabled(ID_HISTORY_CLEAR_ALL), false);
    EXPECT_EQ(commands.IsEnabled(12345), std::nullopt);
    EXPECT_FALSE(commands.Command(12345));
    EXPECT_TRUE(commands.Command(ID_HISTORY_CLEAR_ALL));
    EXPECT_TRUE(box.shown.empty());
}

}  // namespace
