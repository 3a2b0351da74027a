// Proxy entries as the engine's network settings, and the switch between the
// desktop's settings, a direct connection and the named entries.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "../../lists/TempFolder.h"
#include "commands/CommandIds.h"
#include "fakes/FakeProfile.h"
#include "fakes/FakeShell.h"
#include "settings/SettingsService.h"
#include "tools/proxy/ProxyFile.h"
#include "tools/proxy/ProxySwitch.h"

namespace fern {
namespace {

using Pairs = std::vector<std::pair<std::string, std::string>>;
using Hosts = std::vector<std::string>;

ProxyEntry Named(std::string name, std::string host, int port) {
    ProxyEntry entry;
    entry.name = std::move(name);
    entry.Server(ProxyScheme::Http) = {std::move(host), port};
    entry.sameForAll = true;
    return entry;
}

TEST(EngineProxyMapping, EntriesBecomeEngineSettings) {
    ProxyEntry perScheme;
    perScheme.Server(ProxyScheme::Http) = {"web", 8080};
    perScheme.Server(ProxyScheme::Https) = {"tls", 8443};
    perScheme.Server(ProxyScheme::Ftp) = {"ftp", -1};
    perScheme.Server(ProxyScheme::Gopher) = {"gopher", 70};
    perScheme.Server(ProxyScheme::Socks) = {"sock", 1080};
    auto mapped = EngineProxyFor(perScheme);
    ASSERT_TRUE(mapped);
    EXPECT_EQ(mapped->proxy.mode, EngineProxy::Mode::Custom);
    EXPECT_EQ(mapped->proxy.defaultUri, "socks://sock:1080");
    EXPECT_EQ(mapped->proxy.schemes,
              (Pairs{{"http", "http://web:8080"}, {"https", "http://tls:8443"}, {"ftp", "http://ftp"}}));

    ProxyEntry same = Named("same", "proxy", 3128);
    same.Server(ProxyScheme::Socks) = {"ignored", 1};  // only the HTTP server counts
    mapped = EngineProxyFor(same);
    ASSERT_TRUE(mapped);
    EXPECT_EQ(mapped->proxy.defaultUri, "http://proxy:3128");
    EXPECT_TRUE(mapped->proxy.schemes.empty());
}

TEST(EngineProxyMapping, UnusableEntriesGiveNothing) {
    ProxyEntry gopherOnly;
    gopherOnly.Server(ProxyScheme::Gopher) = {"gopher", 70};
    ProxyEntry badHost = Named("bad", "pro xy/evil", 80);
    ProxyEntry sameWithoutHttp;
    sameWithoutHttp.sameForAll = true;
    sameWithoutHttp.Server(ProxyScheme::Https) = {"tls", 1};
    for (const ProxyEntry& entry : {ProxyEntry{}, gopherOnly, badHost, sameWithoutHttp})
        EXPECT_FALSE(EngineProxyFor(entry)) << ProxyServerValue(entry);
}

TEST(EngineProxyMapping, ExceptionsBecomeIgnoreHosts) {
    ProxyEntry entry = Named("x", "proxy", 8080);
    entry.exceptions = " Intra.Example ; *.corp.example;192.168.*;10.*;*.a.*;www.*.com;host:8080;;<local>";
    auto mapped = EngineProxyFor(entry);
    ASSERT_TRUE(mapped);
    EXPECT_EQ(mapped->proxy.ignoreHosts,
              (Hosts{"intra.example", "*.corp.example", "192.168.0.0/16", "10.0.0.0/8", "host:8080"}));
    EXPECT_EQ(mapped->unexpressed, (Hosts{"*.a.*", "www.*.com"}));

    entry.exceptions.clear();
    entry.bypassLocal = true;
    mapped = EngineProxyFor(entry);
    ASSERT_TRUE(mapped);
    EXPECT_EQ(mapped->proxy.ignoreHosts, LocalAddressRanges());
}

class FakeProxyEngine : public IProxyEngine {
public:
    std::vector<EngineProxy> applied;
    bool refuse = false;
    bool ApplyProxy(const EngineProxy& proxy) override {
        applied.push_back(proxy);
        return !refuse;
    }
};

class ProxySwitchTest : public ::testing::Test {
protected:
    testing::TempFolder folder;
    FakeProfile profile, windows;
    SettingsStore store{profile, windows};
    std::unique_ptr<CSettingsService> settings;
    FakeProxyEngine engine;
    test::FakeMessageBox messageBox;
    std::unique_ptr<CProxySwitch> proxies;

    void StartWith(const std::vector<ProxyEntry>& entries, int connect, int index) {
        std::string error;
        ASSERT_TRUE(WriteProxyFile(folder.File("proxy.ini"), entries, &error));
        profile.Set("Proxy", "ProxyConnect", std::to_string(connect));
        profile.Set("Proxy", "ProxyIndex", std::to_string(index));
        settings = std::make_unique<CSettingsService>(store);
        proxies = std::make_unique<CProxySwitch>(
            ProxySwitchServices{engine, messageBox, *settings, folder.File("proxy.ini")});
        proxies->Start();
    }
    std::string Stored(const char* key) { return profile.Get("Proxy", key).value_or("(none)"); }
};

TEST_F(ProxySwitchTest, StartAppliesTheStoredMode) {
    struct Case {
        int connect, index;
        EngineProxy::Mode applied;
        int mode;
    } cases[] = {
        {1, -1, EngineProxy::Mode::System, kProxySystem},
        {2, -1, EngineProxy::Mode::Direct, kProxyDirect},
        {4, 1, EngineProxy::Mode::Custom, kProxyNamed},
        {7, 0, EngineProxy::Mode::System, kProxySystem},  // an unknown mode is the desktop's
    };
    for (const Case& c : cases) {
        engine.applied.clear();
        StartWith({Named("a", "a", 1), Named("b", "b", 2)}, c.connect, c.index);
        ASSERT_EQ(engine.applied.size(), 1u) << c.connect;
        EXPECT_EQ(engine.applied[0].mode, c.applied) << c.connect;
        EXPECT_EQ(proxies->Mode(), c.mode) << c.connect;
    }
    EXPECT_EQ(engine.applied[0].defaultUri.size(), 0u);
    EXPECT_TRUE(messageBox.shown.empty());
}

TEST_F(ProxySwitchTest, ChoosingTheThirdEntryAppliesIndexTwo) {
    StartWith({Named("a", "a", 1), Named("b", "b", 2), Named("c", "c", 3)}, 1, -1);
    CCommandRouter router;
    proxies->RegisterCommands(router);
    EXPECT_TRUE(router.Run(ID_PROXY_ENTRY_FIRST + 2));
    EXPECT_EQ(engine.applied.back().defaultUri, "http://c:3");
    EXPECT_EQ(proxies->Index(), 2);
    EXPECT_EQ(Stored("ProxyConnect"), "4");
    EXPECT_EQ(Stored("ProxyIndex"), "2");
    EXPECT_TRUE(router.IsChecked(ID_PROXY_ENTRY_FIRST + 2));
    EXPECT_FALSE(router.IsChecked(ID_PROXY_ENTRY_FIRST + 1));
    EXPECT_FALSE(router.IsChecked(ID_PROXY_DIRECT));

    EXPECT_TRUE(router.Run(ID_PROXY_DIRECT));
    EXPECT_EQ(engine.applied.back().mode, EngineProxy::Mode::Direct);
    EXPECT_TRUE(router.IsChecked(ID_PROXY_DIRECT));
    EXPECT_EQ(Stored("ProxyIndex"), "-1");
    // The desktop's settings apply at once, without a restart message.
    EXPECT_TRUE(router.Run(ID_PROXY_SYSTEM));
    EXPECT_EQ(engine.applied.back().mode, EngineProxy::Mode::System);
    EXPECT_TRUE(router.IsChecked(ID_PROXY_SYSTEM));
    EXPECT_EQ(Stored("ProxyConnect"), "1");
    EXPECT_TRUE(messageBox.shown.empty());
    EXPECT_FALSE(router.IsEnabled(ID_PROXY_ENTRY_FIRST + 3));
}

TEST_F(ProxySwitchTest, AnEntryWithoutServerFallsBackToDirect) {
    StartWith({Named("a", "", -1)}, 4, 0);
    EXPECT_EQ(messageBox.shown, std::vector<std::string>{kProxyFailedText});
    EXPECT_EQ(engine.applied.back().mode, EngineProxy::Mode::Direct);
    EXPECT_EQ(proxies->Mode(), kProxyDirect);
    proxies->ChooseEntry(5);  // gone from the file
    EXPECT_EQ(messageBox.shown.size(), 2u);
    EXPECT_EQ(Stored("ProxyConnect"), "2");
}

TEST_F(ProxySwitchTest, ARefusalChecksNothing) {
    StartWith({Named("a", "a", 1)}, 2, -1);
    engine.refuse = true;
    proxies->ChooseEntry(0);
    EXPECT_EQ(proxies->Mode(), kProxyFailed);
    CCommandRouter router;
    proxies->RegisterCommands(router);
    for (int id : {int(ID_PROXY_DIRECT), int(ID_PROXY_SYSTEM), int(ID_PROXY_ENTRY_FIRST)})
        EXPECT_FALSE(router.IsChecked(id));
}

TEST_F(ProxySwitchTest, MenuItemsStopBeforeTheNextRange) {
    std::vector<ProxyEntry> entries;
    for (int i = 0; i < 300; ++i) entries.push_back(Named(i == 0 ? "A&B" : "", "h", 80));
    StartWith(entries, 1, -1);
    std::vector<DynamicMenuItem> items = proxies->MenuItems();
    ASSERT_EQ(items.size(), static_cast<std::size_t>(kProxyMenuEntries));
    EXPECT_EQ(items.back().id, ID_PROXY_ENTRY_LAST);
    EXPECT_LT(ID_PROXY_ENTRY_LAST, ID_RECENT_FIRST);
    EXPECT_EQ(items[0].text, "&1 A&&B");
    EXPECT_EQ(items[1].text, "&2 No Title");
    EXPECT_EQ(proxies->Entries().size(), 300u);  // all kept, for the dialog and the file
}

TEST_F(ProxySwitchTest, SavingTheListRestartsFromTheStoredMode) {
    StartWith({Named("a", "a", 1)}, 4, 0);
    std::string error;
    ASSERT_TRUE(proxies->SaveEntries({Named("z", "zz", 9)}, &error));
    EXPECT_EQ(engine.applied.back().defaultUri, "http://zz:9");
    EXPECT_EQ(ReadProxyFile(folder.File("proxy.ini"))[0].name, "z");
}

}  // namespace
}  // namespace fern
