// The URL extraction's rows: which texts of a document become rows, the
// filter's wildcard rules, the frame chooser, and what save, copy and open do
// with the checked rows.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "../../lists/TempFolder.h"
#include "fakes/FakeShell.h"
#include "tools/extract/ExtractFilter.h"
#include "tools/extract/UrlExtractList.h"

namespace fern {
namespace {

using Urls = std::vector<std::string>;

FrameReport Document(std::vector<PageLink> links, std::string title = "t") {
    FrameReport report;
    report.title = std::move(title);
    report.links = std::move(links);
    return report;
}

TEST(UrlExtractRows, AnchorsAlwaysImagesOnRequest) {
    // Three anchors (one a mail link, one empty) and one image.
    FrameReport page = Document({{false, "http://a.example/x.zip"},
                                 {false, "mailto:me@example.com"},
                                 {false, ""},
                                 {true, "http://a.example/p.gif"}});
    EXPECT_EQ(DocumentUrls(page, false), (Urls{"http://a.example/x.zip", "mailto:me@example.com"}));
    EXPECT_EQ(DocumentUrls(page, true),
              (Urls{"http://a.example/x.zip", "mailto:me@example.com", "http://a.example/p.gif"}));
    FrameReport twice = Document({{false, "http://d/"}, {false, "http://d/"}, {false, "relative.html"}});
    EXPECT_EQ(DocumentUrls(twice, false), (Urls{"http://d/", "http://d/"}));
}

TEST(UrlExtractRows, HostileLinksStayOneRowEach) {
    std::string longUrl = "http://x/" + std::string(100 * 1024, 'a');
    FrameReport page = Document({{false, longUrl}, {false, std::string("http://x/\t\x01\x7f\r\ny", 15)}});
    Urls urls = DocumentUrls(page, false);
    ASSERT_EQ(urls.size(), 2u);
    EXPECT_EQ(urls[0], longUrl);
    EXPECT_EQ(urls[1], "http://x/%09%01%7F%0D%0Ay");
}

TEST(UrlExtractFilter, WildcardRules) {
    Urls urls = {"http://a/B.JPG",  "http://a/c.jpg", "http://a/d.gif",  "http://a/e.png",
                 "http://a/f.html", "http://a/g.htm", "http://a/h?.gif", "http://a/写真.JPG"};
    struct Case {
        std::string filter;
        std::vector<bool> checks;
    } cases[] = {
        {"*.JPG;*.gif", {true, true, true, false, false, false, true, true}},
        {"*.htm", {false, false, false, false, false, true, false, false}},
        {";;*.png;", {false, false, false, true, false, false, false, false}},
        {"*?.gif", {false, false, false, false, false, false, true, false}},  // "?" is a plain character
        {"http://a/*", {true, true, true, true, true, true, true, true}},
        {"*写真*", {false, false, false, false, false, false, false, true}},
        {"a/c.jpg", {false, false, false, false, false, false, false, false}},  // anchored at both ends
    };
    for (const Case& c : cases) {
        auto checks = ApplyExtractFilter(c.filter, urls);
        ASSERT_TRUE(checks) << c.filter;
        EXPECT_EQ(*checks, c.checks) << c.filter;
    }
    EXPECT_FALSE(ApplyExtractFilter("", urls));
}

TEST(UrlExtractFilter, EmptyFilterKeepsTheChecks) {
    CUrlExtractList list;
    list.Fill({"http://a/1.gif", "http://a/2.jpg"});
    list.SetChecked(0, false);
    EXPECT_FALSE(list.ApplyFilter(""));
    EXPECT_EQ(list.CheckedUrls(), Urls{"http://a/2.jpg"});
    EXPECT_TRUE(list.ApplyFilter("*.gif"));
    EXPECT_EQ(list.CheckedUrls(), Urls{"http://a/1.gif"});
}

TEST(UrlExtractFrames, ChooserAndCaption) {
    EXPECT_EQ(FrameChoices({}), Urls{"No Frame"});
    EXPECT_EQ(FrameChoices({Document({}, "上"), Document({}, "")}), (Urls{"上", "Untitled Document"}));
    EXPECT_EQ(ExtractCaption(""), "URL抽出");
    EXPECT_EQ(ExtractCaption("ページ"), "URL抽出 - ページ");
    std::string title(99, 'x');
    title += "あ";  // byte 100 is the first of a character
    EXPECT_EQ(ExtractCaption(title), "URL抽出 - " + std::string(99, 'x') + "....");
}

TEST(UrlExtractFrames, ReportsComeInAnyOrderAndSortDepthFirst) {
    CFrameCollection frames;
    auto report = [](std::vector<int> path, int count, std::string title) {
        FrameReport r;
        r.path = std::move(path);
        r.frameCount = count;
        r.title = std::move(title);
        return r;
    };
    EXPECT_TRUE(frames.Add(report({1}, 0, "second")));
    EXPECT_TRUE(frames.Add(report({0, 0}, 0, "grand")));
    EXPECT_FALSE(frames.Complete());
    EXPECT_TRUE(frames.Add(report({}, 2, "top")));
    EXPECT_FALSE(frames.Add(report({}, 2, "top again")));
    EXPECT_FALSE(frames.Complete());
    EXPECT_TRUE(frames.Add(report({0}, 1, "first")));
    EXPECT_TRUE(frames.Complete());
    Urls titles;
    for (const FrameReport& r : frames.TakeDocuments()) titles.push_back(r.title);
    EXPECT_EQ(titles, (Urls{"top", "first", "grand", "second"}));

    CFrameCollection hostile;
    EXPECT_TRUE(hostile.Add(report({}, -5, "negative")));
    EXPECT_TRUE(hostile.Complete());
}

TEST(UrlExtractFrames, PathsAndLinkLines) {
    EXPECT_EQ(ParseFramePath(""), std::vector<int>{});
    EXPECT_EQ(ParseFramePath("0.12.3"), (std::vector<int>{0, 12, 3}));
    for (const char* bad : {".", "1.", "a", "1..2", "-1", "99999999"})
        EXPECT_FALSE(ParseFramePath(bad)) << bad;
    EXPECT_EQ(ParsePageLinks("Ahttp://a/\nIhttp://i/\nX?\n\nA\nAmailto:x"),
              (std::vector<PageLink>{{false, "http://a/"}, {true, "http://i/"}, {false, "mailto:x"}}));
}

class UrlExtractActionsTest : public ::testing::Test {
protected:
    testing::TempFolder folder;
    test::FakeClipboard clipboard;
    test::FakeMessageBox messageBox;
    Urls opened;
    std::optional<std::string> chosen;
    std::vector<std::string> offered;
    CUrlExtractActions actions{{clipboard, messageBox,
                                [this](const std::string& url) { opened.push_back(url); },
                                [this](JobKind, const std::string& name) {
                                    offered.push_back(name);
                                    return chosen;
                                },
                                [] { return std::string("2026-12-07(月)08-30-05-42"); }}};
};

TEST_F(UrlExtractActionsTest, NothingCheckedDoesNothing) {
    chosen = folder.File("x.iri");
    EXPECT_EQ(actions.Save(JobKind::Iria, {}, "", ""), ExtractOutcome::Nothing);
    EXPECT_EQ(actions.Copy({}), ExtractOutcome::Nothing);
    EXPECT_EQ(actions.Open({}), ExtractOutcome::Nothing);
    EXPECT_TRUE(offered.empty());
    EXPECT_FALSE(clipboard.text);
}

TEST_F(UrlExtractActionsTest, SaveCopyAndOpen) {
    chosen = folder.File("urllist.iri");
    EXPECT_EQ(actions.Save(JobKind::Iria, {"http://a/1"}, "http://a/", "/tmp/dl"), ExtractOutcome::Done);
    EXPECT_EQ(offered, Urls{"urllist.iri"});
    EXPECT_EQ(testing::ReadBytes(*chosen),
              "Url=http://a/1\r\nFolder=/tmp/dl\\\r\nDate=2026-12-07(月)08-30-05-42\r\nID=0\r\n\r\n");
    EXPECT_EQ(actions.Copy({"a:1", "b:2"}), ExtractOutcome::Done);
    EXPECT_EQ(clipboard.text, "a:1\r\nb:2\r\n");
    EXPECT_EQ(actions.Open({"a:1", "b:2"}), ExtractOutcome::Done);
    EXPECT_EQ(opened, (Urls{"a:1", "b:2"}));
    chosen.reset();  // cancelled
    EXPECT_EQ(actions.Save(JobKind::List, {"a:1"}, "", ""), ExtractOutcome::Nothing);
}

TEST_F(UrlExtractActionsTest, AFileThatCannotBeWrittenIsToldAndNothingIsHalfWritten) {
    chosen = folder.File("no such folder/urllist.wrg");
    EXPECT_EQ(actions.Save(JobKind::ReGet, {"http://a/1"}, "", ""), ExtractOutcome::Failed);
    ASSERT_EQ(messageBox.shown.size(), 1u);
    EXPECT_EQ(messageBox.shown[0].rfind(kExtractSaveFailed, 0), 0u);
    EXPECT_TRUE(std::filesystem::is_empty(folder.Path()));
}

}  // namespace
}  // namespace fern
