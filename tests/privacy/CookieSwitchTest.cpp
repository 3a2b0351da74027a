#include "privacy/CookieSwitch.h"

#include <gtest/gtest.h>

#include <map>
#include <utility>
#include <vector>

#include "fakes/FakeShell.h"

namespace fern {
namespace {

const char kAlwaysA[] = "IE6-P3PV1/settings: always=a";
const char kAlwaysR[] = "IE6-P3PV1/settings: always=r";
const char kAlwaysASession[] = "IE6-P3PV1/settings: always=a session=a";
const char kAlwaysRSession[] = "IE6-P3PV1/settings: always=r session=a";

class FakePreferences : public IPrivacyPreferences {
public:
    std::map<std::pair<int, int>, ZonePreference> preferences;
    std::map<std::pair<int, int>, int> policies;
    std::vector<std::string> writes;  // "type N: text" / "action X: policy", in order
    bool failWrites = false;

    std::optional<ZonePreference> GetZonePreference(int zone, int type) const override {
        auto it = preferences.find({zone, type});
        return it == preferences.end() ? std::nullopt : std::optional(it->second);
    }
    bool SetZonePreference(int zone, int type, const ZonePreference& p) override {
        writes.push_back("zone " + std::to_string(zone) + " type " + std::to_string(type) + " " +
                         std::to_string(p.templateId) + ": " + p.text);
        if (!failWrites) preferences[{zone, type}] = p;
        return !failWrites;
    }
    std::optional<int> GetZoneActionPolicy(int zone, int action) const override {
        auto it = policies.find({zone, action});
        return it == policies.end() ? std::nullopt : std::optional(it->second);
    }
    bool SetZoneActionPolicy(int zone, int action, int policy) override {
        writes.push_back("action " + std::to_string(action) + ": " + std::to_string(policy));
        policies[{zone, action}] = policy;
        return true;
    }
};

class FakeCookieEngine : public ICookieEngine {
public:
    std::vector<CookieEnginePolicy> applied;
    int clears = 0;
    bool clearOk = true;
    void ApplyCookiePolicy(const CookieEnginePolicy& policy) override { applied.push_back(policy); }
    void ClearAllCookies(std::function<void(bool)> done) override {
        ++clears;
        done(clearOk);
    }
};

using Writes = std::vector<std::string>;

// What a write of the custom template for the internet zone is logged as.
std::string Pref(int type, const char* text) {
    return "zone 3 type " + std::to_string(type) + " 101: " + text;
}

struct Ie6Fixture {
    FakePreferences prefs;
    FakeCookieEngine engine;
    test::FakeMessageBox box;
    std::optional<CookieSwitch> cookies;
    Ie6Fixture(const char* first, const char* third, CookieMode mode = CookieMode::Ie6) {
        prefs.preferences[{3, 0}] = {101, first};
        prefs.preferences[{3, 1}] = {101, third};
        cookies.emplace(mode, prefs, engine, box);
    }
};

TEST(CookieSwitch, PreferenceTextsAndCheckStates) {
    EXPECT_EQ(CookiePreferenceText(true, false), kAlwaysA);
    EXPECT_EQ(CookiePreferenceText(false, false), kAlwaysR);
    EXPECT_EQ(CookiePreferenceText(true, true), kAlwaysASession);
    EXPECT_EQ(CookiePreferenceText(false, true), kAlwaysRSession);

    // {always, session} as read back.
    auto read = [](int templateId, const char* text) {
        CookieCheckState c = ReadCookieCheckState({templateId, text});
        return std::pair{c.always, c.session};
    };
    EXPECT_EQ(read(101, "IE6-P3PV1/SETTINGS: ALWAYS=A SESSION=A"), std::pair(true, true));
    EXPECT_EQ(read(101, kAlwaysRSession), std::pair(false, true));
    // Any other template is not allowed, whatever its text says.
    EXPECT_EQ(read(100, kAlwaysASession), std::pair(false, false));

    EXPECT_EQ(CookieModeOf(2), CookieMode::Ie45);
    EXPECT_EQ(CookieModeOf(0), CookieMode::Ie6);
    EXPECT_EQ(CookieModeOf(3), CookieMode::Ie6);
}

TEST(CookieSwitch, Ie6FlipsWriteTheCustomTemplateForTheInternetZone) {
    Ie6Fixture f(kAlwaysA, kAlwaysR);
    EXPECT_TRUE(f.cookies->FirstPartyChecked());
    EXPECT_FALSE(f.cookies->SessionChecked());
    EXPECT_FALSE(f.cookies->ThirdPartyChecked());

    // Session cookies on: " session=a" after the always part, both types.
    f.cookies->FlipSession();
    EXPECT_EQ(f.prefs.writes, (Writes{Pref(0, kAlwaysASession), Pref(1, kAlwaysRSession)}));
    EXPECT_TRUE(f.cookies->SessionChecked());

    // The always flips keep the session part.
    f.prefs.writes.clear();
    f.cookies->FlipFirstParty();
    f.cookies->FlipThirdParty();
    EXPECT_EQ(f.prefs.writes, (Writes{Pref(0, kAlwaysRSession), Pref(1, kAlwaysASession)}));
    EXPECT_FALSE(f.cookies->FirstPartyChecked());
    EXPECT_TRUE(f.cookies->ThirdPartyChecked());
    EXPECT_TRUE(f.box.shown.empty());
}

TEST(CookieSwitch, InvertRunsSessionThenFirstThenThirdParty) {
    Ie6Fixture f(kAlwaysASession, kAlwaysR);
    f.cookies->Invert();
    EXPECT_EQ(f.prefs.writes,
              (Writes{Pref(0, kAlwaysA), Pref(1, kAlwaysR), Pref(0, kAlwaysR), Pref(1, kAlwaysA)}));

    // "IE4-5": the same order on the action policies; no third-party step.
    Ie6Fixture old(kAlwaysA, kAlwaysR, CookieMode::Ie45);
    old.prefs.policies[{3, 0x1A02}] = 0;
    old.cookies->Invert();
    EXPECT_EQ(old.prefs.writes, (Writes{"action 6659: 0", "action 6658: 3"}));
}

TEST(CookieSwitch, Ie45FlipsTheZoneActionPolicies) {
    Ie6Fixture f(kAlwaysA, kAlwaysA, CookieMode::Ie45);
    // Unreadable counts as not allowed, and a flip allows.
    EXPECT_FALSE(f.cookies->FirstPartyChecked());
    f.cookies->FlipFirstParty();
    EXPECT_EQ(f.prefs.policies[(std::pair{3, 0x1A02})], 0);
    EXPECT_TRUE(f.cookies->FirstPartyChecked());
    f.cookies->FlipFirstParty();
    EXPECT_EQ(f.prefs.policies[(std::pair{3, 0x1A02})], 3);
    f.prefs.policies[{3, 0x1A03}] = 1;  // anything but 0 becomes 0
    f.cookies->Refresh();
    EXPECT_FALSE(f.cookies->SessionChecked());
    f.cookies->FlipSession();
    EXPECT_EQ(f.prefs.policies[(std::pair{3, 0x1A03})], 0);
    EXPECT_TRUE(f.cookies->SessionChecked());

    f.prefs.writes.clear();
    EXPECT_FALSE(f.cookies->ThirdPartyEnabled());
    f.cookies->FlipThirdParty();
    EXPECT_TRUE(f.prefs.writes.empty());
    EXPECT_FALSE(f.cookies->ThirdPartyChecked());
}

TEST(CookieSwitch, EnginePolicyFollowsTheAllowedCookies) {
    using A = AllowedCookies;
    EXPECT_EQ(EnginePolicyFor(A{true, true, true, true}), (CookieEnginePolicy{CookieAccept::Always, true}));
    EXPECT_EQ(EnginePolicyFor(A{true, false, false, false}),
              (CookieEnginePolicy{CookieAccept::NoThirdParty, true}));
    EXPECT_EQ(EnginePolicyFor(A{false, false, false, false}),
              (CookieEnginePolicy{CookieAccept::Never, true}));
    // Session cookies only: accepted, but kept from the lasting store.
    EXPECT_EQ(EnginePolicyFor(A{false, true, false, false}),
              (CookieEnginePolicy{CookieAccept::NoThirdParty, false}));
    EXPECT_EQ(EnginePolicyFor(A{false, true, false, true}),
              (CookieEnginePolicy{CookieAccept::Always, false}));
    // Other sites' cookies cannot be taken without the site's own.
    EXPECT_EQ(EnginePolicyFor(A{false, false, true, true}), (CookieEnginePolicy{CookieAccept::Never, true}));

    Ie6Fixture f(kAlwaysA, kAlwaysR);
    ASSERT_FALSE(f.engine.applied.empty());
    EXPECT_EQ(f.engine.applied.back(), (CookieEnginePolicy{CookieAccept::NoThirdParty, true}));
    f.cookies->FlipThirdParty();
    EXPECT_EQ(f.engine.applied.back(), (CookieEnginePolicy{CookieAccept::Always, true}));
    f.cookies->FlipFirstParty();
    EXPECT_EQ(f.engine.applied.back(), (CookieEnginePolicy{CookieAccept::Never, true}));
    f.cookies->SetMode(CookieMode::Ie45);  // both policies unread: nothing allowed
    EXPECT_EQ(f.engine.applied.back(), (CookieEnginePolicy{CookieAccept::Never, true}));
    f.cookies->FlipSession();
    EXPECT_EQ(f.engine.applied.back(), (CookieEnginePolicy{CookieAccept::Always, false}));
}

TEST(CookieSwitch, DeleteAsksAndFailedSavesAreTold) {
    Ie6Fixture f(kAlwaysA, kAlwaysR);
    f.box.answer = MessageBoxAnswer::Cancel;
    EXPECT_FALSE(f.cookies->DeleteAll());
    EXPECT_EQ(f.box.shown, (std::vector<std::string>{"クッキーをすべて削除します。\n\nよろしいですか？",
                                                     "中止しました。"}));
    EXPECT_EQ(f.engine.clears, 0);

    f.box.shown.clear();
    f.box.answer = MessageBoxAnswer::Ok;
    EXPECT_TRUE(f.cookies->DeleteAll());
    EXPECT_EQ(f.engine.clears, 1);
    EXPECT_EQ(f.box.shown.size(), 1u);
    f.engine.clearOk = false;
    f.cookies->DeleteAll();
    EXPECT_EQ(f.box.shown.back(), "クッキーを削除できませんでした。");

    f.box.shown.clear();
    f.prefs.failWrites = true;
    f.cookies->FlipFirstParty();
    EXPECT_TRUE(f.cookies->FirstPartyChecked());  // what the store still holds
    EXPECT_EQ(f.box.shown, (std::vector<std::string>{"クッキーの設定を保存できませんでした。"}));
}

}  // namespace
}  // namespace fern
