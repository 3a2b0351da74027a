#include <gtest/gtest.h>

#include "session/RestorePage.h"

using namespace fern;

namespace {

std::vector<SessionTab> Tabs(std::size_t n) {
    std::vector<SessionTab> tabs(n);
    for (std::size_t i = 0; i < n; ++i) tabs[i].url = "http://h/" + std::to_string(i);
    return tabs;
}

std::size_t Count(const std::string& text, const std::string& what) {
    std::size_t n = 0;
    for (std::size_t p = text.find(what); p != std::string::npos; p = text.find(what, p + 1)) ++n;
    return n;
}

}  // namespace

TEST(RestorePage, ListsEveryTabCheckedButTheOneThatWasLoading) {
    std::vector<SessionTab> tabs = Tabs(3);
    tabs[1].loading = true;
    tabs[2].title = "<script>alert(1)</script> & 表";
    std::string page = RestorePageHtml(tabs, "tok", {});
    EXPECT_EQ(Count(page, "type=\"checkbox\""), 3u);
    EXPECT_EQ(Count(page, " checked>"), 2u);
    EXPECT_NE(page.find("name=\"t1\" value=\"1\">"), std::string::npos);  // unchecked
    EXPECT_EQ(page.find("<script>"), std::string::npos);
    EXPECT_NE(page.find("&lt;script&gt;alert(1)&lt;/script&gt; &amp; \xE8\xA1\xA8"), std::string::npos);
    EXPECT_NE(page.find("\xE5\xBE\xA9\xE5\x85\x83"), std::string::npos);  // "復元" in UTF-8
}

TEST(RestorePage, AHugeSessionListsItsFirstTabsAndCutsLongAddresses) {
    std::vector<SessionTab> tabs = Tabs(kRestorePageLimit + 5);
    tabs[0].url = "http://long/" + std::string(100 * 1024, 'x');
    std::string page = RestorePageHtml(tabs, "tok", {});
    EXPECT_EQ(Count(page, "type=\"checkbox\""), kRestorePageLimit);
    EXPECT_LT(page.size(), kRestorePageLimit * 600);
}

TEST(RestorePage, AnswersAreTakenOnlyWithTheToken) {
    auto parse = [](const char* uri) { return ParseRestoreAnswer(uri, "tok", 5); };
    RestoreAnswer a = parse("fern-session:restore?k=tok&t3=1&t0=1&t9=1&tx=1&t01=1&do=restore");
    EXPECT_EQ(a.action, RestoreAnswer::Action::Restore);
    EXPECT_EQ(a.chosen, (std::vector<std::size_t>{0, 1, 3}));
    EXPECT_EQ(parse("fern-session:restore?k=tok&t3=1&do=close").action, RestoreAnswer::Action::Close);
    EXPECT_TRUE(parse("fern-session:restore?k=tok&t3=1&do=close").chosen.empty());
    for (const char* bad :
         {"fern-session:restore?k=other&t0=1&do=restore", "fern-session:restore?t0=1&do=restore",
          "fern-session:restore", "http://x/fern-session:restore?k=tok&do=restore",
          "fern-session:restore?k=tok&do=nothing", "fern-session:restore?k=tok&t0=1&do=restore%"})
        EXPECT_EQ(parse(bad).action, RestoreAnswer::Action::None) << bad;
    EXPECT_TRUE(parse("fern-session:restore?k=tok&t99999999999999999999=1&do=restore").chosen.empty());
    EXPECT_EQ(ParseRestoreAnswer("fern-session:restore?k=&do=close", "", 5).action,
              RestoreAnswer::Action::None);
}
