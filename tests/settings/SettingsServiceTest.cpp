#include <gtest/gtest.h>

#include "fakes/FakeProfile.h"
#include "settings/SettingsService.h"

using namespace fern;

TEST(SettingsService, AChangeIsSavedAndToldOnceToEverySubscriberOfItsSection) {
    FakeProfile profile, windows;
    SettingsStore store(profile, windows);
    CSettingsService service(store);
    EXPECT_EQ(service.Live().tabBar.createLimit, 20);  // the first start's defaults

    int tabBarTold = 0, alsoTold = 0, browserTold = 0;
    SettingsSubscription a = service.Subscribe(SettingsSection::TabBar, [&] { ++tabBarTold; });
    SettingsSubscription b = service.Subscribe(SettingsSection::TabBar, [&] { ++alsoTold; });
    SettingsSubscription c = service.Subscribe(SettingsSection::Browser, [&] { ++browserTold; });
    EXPECT_TRUE(service.Change(SettingsSection::TabBar, [](ProgramSettings& s) {
        s.tabBar.createLimit = 5;
        s.tabBar.barBelowPages = true;
    }));
    EXPECT_EQ(tabBarTold, 1);
    EXPECT_EQ(alsoTold, 1);
    EXPECT_EQ(browserTold, 0);
    EXPECT_EQ(profile.Get("TabBar", "TabCreateLimit"), "5");
    EXPECT_EQ(profile.Get("TabBar", "TabStyle"), std::to_string(0x240 | 0x10000));
    EXPECT_EQ(profile.Get("Browser", "BOStyle"), std::nullopt);  // other sections untouched

    // A subscription that ends is told no more.
    { SettingsSubscription gone = std::move(b); }
    service.Change(SettingsSection::TabBar, {});
    EXPECT_EQ(tabBarTold, 2);
    EXPECT_EQ(alsoTold, 1);
}

TEST(SettingsService, AFailedSaveIsReportedAndTheUsersValueStaysInEffect) {
    FakeProfile profile, windows;
    SettingsStore store(profile, windows);
    CSettingsService service(store);
    int told = 0;
    SettingsSubscription s = service.Subscribe(SettingsSection::Mail, [&] { ++told; });
    profile.failWrites = true;
    ::testing::internal::CaptureStderr();
    EXPECT_FALSE(
        service.Change(SettingsSection::Mail, [](ProgramSettings& p) { p.mail.ignoreMailto = true; }));
    EXPECT_NE(::testing::internal::GetCapturedStderr().find("could not save"), std::string::npos);
    EXPECT_TRUE(service.Live().mail.ignoreMailto);
    EXPECT_EQ(told, 1);
}
