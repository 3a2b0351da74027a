#include <gtest/gtest.h>

#include "fakes/FakeProfile.h"
#include "options/OptionsPageTable.h"
#include "options/OptionsSession.h"

using namespace fern;

TEST(OptionsPageTable, TitlesMakeATreeInTableOrder) {
    EXPECT_EQ(OptionsPageIndex("タブ/タブ バー::表示"), 6);
    EXPECT_EQ(OptionsPageIndex("タスク トレイ"), 14);
    EXPECT_EQ(OptionsPageIndex("nothing"), -1);
    std::vector<OptionsTreeNode> tree =
        BuildOptionsTree({"タブ/タブ バー::表示", "ブラウザ::その他", "ブラウザ", "タブ/タブ バー",
                          "起動/終了::スタートアップURL", "extra"});
    ASSERT_EQ(tree.size(), 4u);
    EXPECT_EQ(tree[0].title, "起動/終了::スタートアップURL");  // its parent is missing: it stands alone
    EXPECT_EQ(tree[1].title, "ブラウザ");
    ASSERT_EQ(tree[1].children.size(), 1u);
    EXPECT_EQ(tree[1].children[0].label, "その他");
    EXPECT_EQ(tree[2].children[0].title, "タブ/タブ バー::表示");
    EXPECT_EQ(tree[3].title, "extra");
}

TEST(OptionsSession, PagesOfOneSectionKeepEachOthersEditsAndOnlyEditedSectionsAreWritten) {
    FakeProfile profile, windows;
    SettingsStore store(profile, windows);
    CSettingsService settings(store);
    int tabBarTold = 0;
    SettingsSubscription s = settings.Subscribe(SettingsSection::TabBar, [&] { ++tabBarTold; });

    COptionsSession session(settings);
    // Two pages write the one section, each its own fields.
    session.Edit(SettingsSection::TabBar).tabBar.barBelowPages = true;
    session.Edit(SettingsSection::TabBar).tabBar.createLimit = 9;
    EXPECT_FALSE(settings.Live().tabBar.barBelowPages);  // nothing before 適用
    EXPECT_TRUE(session.Apply());
    EXPECT_TRUE(settings.Live().tabBar.barBelowPages);
    EXPECT_EQ(settings.Live().tabBar.createLimit, 9);
    EXPECT_EQ(tabBarTold, 1);
    EXPECT_TRUE(profile.Get("TabBar", "TabCreateLimit").has_value());
    EXPECT_FALSE(profile.Get("Browser", "BOStyle").has_value());  // not edited, not written

    // A change made meanwhile elsewhere is in the working copy after 適用.
    settings.Change(SettingsSection::Mail, [](ProgramSettings& p) { p.mail.ignoreMailto = true; });
    EXPECT_FALSE(session.Working().mail.ignoreMailto);
    EXPECT_TRUE(session.Apply());
    EXPECT_TRUE(session.Working().mail.ignoreMailto);
    EXPECT_EQ(tabBarTold, 1);  // nothing edited: nobody told
}

TEST(OptionsSession, ASectionStoredAsItWasIsNeitherWrittenNorAnnounced) {
    FakeProfile profile, windows;
    profile.Set("Browser", "BOStyle", "853");
    SettingsStore store(profile, windows);
    CSettingsService settings(store);
    int told = 0;
    SettingsSubscription s = settings.Subscribe(SettingsSection::Browser, [&] { ++told; });

    COptionsSession session(settings);
    // Every page stores what it shows, changed or not.
    session.Edit(SettingsSection::Browser).browser.focusPage = settings.Live().browser.focusPage;
    session.Edit(SettingsSection::Startup);
    EXPECT_TRUE(session.Apply());
    EXPECT_EQ(told, 0);
    EXPECT_FALSE(profile.Get("Browser", "BODLCDefault").has_value());  // no key appears with its default
    EXPECT_FALSE(profile.Get("Startup", "SUStyle").has_value());

    // A switch turned on and off again before 適用 is no change either.
    session.Edit(SettingsSection::Browser).browser.silent = !settings.Live().browser.silent;
    session.Edit(SettingsSection::Browser).browser.silent = settings.Live().browser.silent;
    EXPECT_TRUE(session.Apply());
    EXPECT_EQ(told, 0);

    session.Edit(SettingsSection::Browser).browser.userAgent = "Fern";
    EXPECT_TRUE(session.Apply());
    EXPECT_EQ(told, 1);
    EXPECT_EQ(profile.Get("Browser", "BOUserAgent"), "Fern");
}
