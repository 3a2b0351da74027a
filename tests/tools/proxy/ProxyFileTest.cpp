// proxy.ini: the stored values of an entry, the file read as INI and written
// in four-line groups, and what odd or hostile files give.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "../../lists/TempFolder.h"
#include "tools/proxy/ProxyFile.h"

namespace fern {
namespace {

ProxyEntry Entry(std::string name) {
    ProxyEntry entry;
    entry.name = std::move(name);
    return entry;
}

ProxyEntry HttpAndFtp(bool sameForAll) {
    ProxyEntry entry = Entry("社内");
    entry.Server(ProxyScheme::Http) = {"proxy", 8080};
    entry.Server(ProxyScheme::Ftp) = {"ftp", 21};
    entry.sameForAll = sameForAll;
    return entry;
}

TEST(ProxyEntryValues, ServerValueTable) {
    ProxyEntry all = Entry("all");
    for (int s = 0; s < kProxySchemeCount; ++s) all.servers[s] = {"h" + std::to_string(s), 1000 + s};
    ProxyEntry noPort = Entry("noport");
    noPort.Server(ProxyScheme::Https) = {"secure", -1};
    ProxyEntry sameNoHost = Entry("same");
    sameNoHost.sameForAll = true;
    sameNoHost.Server(ProxyScheme::Ftp) = {"ftp", 21};
    struct Case {
        ProxyEntry entry;
        std::string value;
    } cases[] = {
        {HttpAndFtp(false), "ftp=ftp:21;http=proxy:8080"},
        {HttpAndFtp(true), "proxy:8080"},
        {all, "ftp=h2:1002;gopher=h3:1003;http=h0:1000;https=h1:1001;socks=h4:1004"},
        // An empty port is left out rather than written as "-1".
        {noPort, "https=secure"},
        {sameNoHost, ""},
        {Entry("empty"), ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ProxyServerValue(c.entry), c.value) << c.entry.name;
        ProxyEntry back;
        ParseProxyServerValue(c.value, back);
        if (!c.value.empty()) {
            EXPECT_EQ(ProxyServerValue(back), c.value) << c.entry.name;
        }
    }
}

TEST(ProxyEntryValues, BypassValueTable) {
    struct Case {
        std::string exceptions;
        bool local;
        std::string stored;
        std::string readBack;
    } cases[] = {
        {";intra;", true, "intra;<local>", "intra"},
        {"", true, "<local>", ""},
        {"a.example;b.example", true, "a.example;b.example;<local>", "a.example;b.example"},
        {"a.example;b.example", false, "a.example;b.example", "a.example;b.example"},
        {"", false, "", ""},
    };
    for (const Case& c : cases) {
        ProxyEntry entry;
        entry.exceptions = c.exceptions;
        entry.bypassLocal = c.local;
        EXPECT_EQ(ProxyBypassValue(entry), c.stored) << c.exceptions;
        ProxyEntry back;
        ParseProxyBypassValue(c.stored, back);
        EXPECT_EQ(back.exceptions, c.readBack) << c.exceptions;
        EXPECT_EQ(back.bypassLocal, c.local) << c.exceptions;
    }
}

TEST(ProxyEntryValues, ServerValuesReadLeniently) {
    struct Case {
        std::string value;
        std::string http, https, socks;
        int httpPort;
        bool same;
    } cases[] = {
        {"proxy:8080", "proxy", "", "", 8080, true},
        {"proxy", "proxy", "", "", -1, true},
        {"  proxy : 3128 ", "proxy", "", "", 3128, true},
        {"proxy:99999", "proxy", "", "", -1, true},  // out of range: no port
        {"proxy:-5", "proxy", "", "", -1, true},
        {"[::1]:8080", "[::1]", "", "", 8080, true},
        {"HTTP=up:1;;bogus;https=s:443", "up", "s", "", 1, false},
        {"wais=w:1;socks=sock:1080", "", "", "sock", -1, false},
        {"http=:80", "", "", "", -1, false},
        {"=;=;", "", "", "", -1, false},
    };
    for (const Case& c : cases) {
        ProxyEntry entry;
        ParseProxyServerValue(c.value, entry);
        EXPECT_EQ(entry.Server(ProxyScheme::Http).host, c.http) << c.value;
        EXPECT_EQ(entry.Server(ProxyScheme::Http).port, c.httpPort) << c.value;
        EXPECT_EQ(entry.Server(ProxyScheme::Https).host, c.https) << c.value;
        EXPECT_EQ(entry.Server(ProxyScheme::Socks).host, c.socks) << c.value;
        EXPECT_EQ(entry.sameForAll, c.same) << c.value;
    }
}

TEST(ProxyFileFormat, WritesFourLineGroupsWithCrLf) {
    std::vector<ProxyEntry> entries = {HttpAndFtp(false), HttpAndFtp(true)};
    entries[1].name = "";
    entries[1].exceptions = ";intra;";
    entries[1].bypassLocal = true;
    EXPECT_EQ(SerializeProxyFile(entries),
              "[Proxy_0]\r\nProxyName=社内\r\nProxyServer=ftp=ftp:21;http=proxy:8080\r\nProxyOverride=\r\n"
              "[Proxy_1]\r\nProxyName=\r\nProxyServer=proxy:8080\r\nProxyOverride=intra;<local>\r\n");
}

TEST(ProxyFileFormat, ReadsRealLookingFiles) {
    // Odd spacing, a comment, keys reordered or missing, a name that holds
    // "Proxy_" and sections out of order: an INI reader sees them all.
    std::string file =
        "; my proxies\n"
        "[Other]\nProxyName=not an entry\n"
        "[Proxy_1]\r\n  ProxyServer =  http=b:3128;https=b:3129  \r\nProxyName= Proxy_0 の予備 \r\n"
        "[proxy_0]\nProxyName=最初\nProxyServer=a:8080\nProxyOverride=intra;<local>\n"
        "[Proxy_2]\nProxyName=no server\n"
        "[Proxy_x]\nProxyName=no number\n";
    std::vector<ProxyEntry> entries = ParseProxyFile(file);
    ASSERT_EQ(entries.size(), 3u);
    EXPECT_EQ(entries[0].name, "最初");
    EXPECT_TRUE(entries[0].sameForAll);
    EXPECT_EQ(entries[0].Server(ProxyScheme::Http), (ProxyServer{"a", 8080}));
    EXPECT_TRUE(entries[0].bypassLocal);
    EXPECT_EQ(entries[0].exceptions, "intra");
    EXPECT_EQ(entries[1].name, "Proxy_0 の予備");
    EXPECT_FALSE(entries[1].sameForAll);
    EXPECT_EQ(entries[1].Server(ProxyScheme::Https), (ProxyServer{"b", 3129}));
    EXPECT_EQ(entries[2].name, "no server");
    EXPECT_EQ(ProxyServerValue(entries[2]), "");
    // Written back, it reads back the same.
    EXPECT_EQ(ParseProxyFile(SerializeProxyFile(entries)), entries);
}

TEST(ProxyFileFormat, RoundTripsManyEntries) {
    std::vector<ProxyEntry> entries;
    for (int i = 0; i < 300; ++i) {
        ProxyEntry entry = Entry("Proxy_" + std::to_string(300 - i) + " 名前");
        entry.Server(ProxyScheme::Http) = {"p" + std::to_string(i) + ".example", 1 + i};
        entry.Server(ProxyScheme::Gopher) = {"g", 70};
        entry.sameForAll = i % 2 == 0;
        if (entry.sameForAll) entry.Server(ProxyScheme::Gopher) = {};
        entry.bypassLocal = i % 3 == 0;
        entry.exceptions = i % 5 == 0 ? "" : "x.example;*.y.example";
        entries.push_back(entry);
    }
    std::string bytes = SerializeProxyFile(entries);
    EXPECT_EQ(ParseProxyFile(bytes), entries);
    EXPECT_EQ(SerializeProxyFile(ParseProxyFile(bytes)), bytes);
}

TEST(ProxyFileFormat, HostileFilesGiveWhatCanBeRead) {
    std::string garbage;
    for (int i = 0; i < 5000; ++i) garbage += static_cast<char>((i * 131) % 256);
    EXPECT_NO_FATAL_FAILURE(ParseProxyFile(garbage));
    EXPECT_TRUE(ParseProxyFile("[Proxy_99999999999999999999]\nProxyName=x\n").empty());
    std::vector<ProxyEntry> broken =
        ParseProxyFile(std::string("[Proxy_0]\nProxyName=a\0b\nProxyServer=h:0\n", 40));
    ASSERT_EQ(broken.size(), 1u);
    EXPECT_EQ(broken[0].Server(ProxyScheme::Http).port, -1);
    // A name with a line break cannot add lines of its own.
    ProxyEntry evil = Entry("a\r\n[Proxy_1]\r\nProxyName=b");
    EXPECT_EQ(ParseProxyFile(SerializeProxyFile({evil})).size(), 1u);

    std::string many;
    for (int i = 0; i < 10000; ++i)
        many +=
            "[Proxy_" + std::to_string(i) + "]\r\nProxyName=n\r\nProxyServer=h:" + std::to_string(i) + "\r\n";
    std::vector<ProxyEntry> all = ParseProxyFile(many);
    ASSERT_EQ(all.size(), 10000u);
    EXPECT_EQ(all[9999].Server(ProxyScheme::Http).port, 9999);
}

TEST(ProxyFileDisk, MissingFileIsEmptyAndFailedWriteKeepsTheOld) {
    testing::TempFolder folder;
    EXPECT_TRUE(ReadProxyFile(folder.File("proxy.ini")).empty());
    std::string error;
    ASSERT_TRUE(WriteProxyFile(folder.File("proxy.ini"), {HttpAndFtp(true)}, &error));
    EXPECT_EQ(ReadProxyFile(folder.File("proxy.ini")).size(), 1u);
    EXPECT_FALSE(WriteProxyFile(folder.File("missing/proxy.ini"), {HttpAndFtp(true)}, &error));
    EXPECT_FALSE(error.empty());
}

}  // namespace
}  // namespace fern
