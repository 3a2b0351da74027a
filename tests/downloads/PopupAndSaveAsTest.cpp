#include <gtest/gtest.h>

#include "downloads/DownloadText.h"
#include "downloads/PopupBlockLog.h"
#include "downloads/SaveAsPlan.h"
#include "platform/text/Encoding.h"

using namespace fern;

TEST(PopupBlockLog, CountsEveryRefusalKeepsEachAddressOnceAndForgetsAtTheNextPage) {
    CPopupBlockLog log;
    for (int i = 0; i < 100; ++i) log.Blocked("http://ads/" + std::to_string(i % 30));
    log.Blocked("");
    EXPECT_EQ(log.Count(), 101);
    EXPECT_EQ(log.Text(), "ポップアップを 101 件ブロックしました");
    ASSERT_EQ(log.Addresses().size(), CPopupBlockLog::kKeptAddresses);
    EXPECT_EQ(log.Addresses()[1], "http://ads/1");

    // Each address opens once; the count says what happened and stays.
    EXPECT_EQ(log.TakeForOpen(1), "http://ads/1");
    EXPECT_EQ(log.Addresses().size(), CPopupBlockLog::kKeptAddresses - 1);
    log.Blocked("http://ads/1");
    EXPECT_EQ(log.Addresses().size(), CPopupBlockLog::kKeptAddresses - 1);
    EXPECT_EQ(log.TakeForOpen(99), std::nullopt);
    EXPECT_EQ(log.Count(), 102);

    log.Navigated();
    EXPECT_EQ(log.Count(), 0);
    EXPECT_TRUE(log.Addresses().empty());
    log.Blocked("");
    EXPECT_EQ(log.Addresses(), std::vector<std::string>{"about:blank"});
}

TEST(SaveAsPlan, HtmlOffersMhtmlFirstThenThePageBytesUnderTheTitle) {
    SaveAsPlan plan =
        PlanSaveAs("ニュース: 今日/明日", "http://news.example/a/index.html", "text/html; charset=utf-8");
    ASSERT_EQ(plan.formats, (std::vector<SaveFormat>{SaveFormat::Mhtml, SaveFormat::PageBytes}));
    EXPECT_EQ(plan.fileName, ToUtf8("ニュース: 今日_明日") + ".mhtml");
    EXPECT_EQ(SwapExtension(plan.fileName, ".mhtml", ".html"), ToUtf8("ニュース: 今日_明日") + ".html");
    // A page without a title is named after its address.
    EXPECT_EQ(PlanSaveAs("", "http://news.example/a/index.html", "text/html").fileName, "index.html.mhtml");
    EXPECT_EQ(PlanSaveAs("", "http://news.example/", "").fileName, "page.mhtml");
}

TEST(SaveAsPlan, OtherResourcesAreTheirOwnBytesWithTheirOwnExtension) {
    SaveAsPlan image = PlanSaveAs("cat.png (640x480)", "http://img.example/p/cat.png?x=1", "image/png");
    ASSERT_EQ(image.formats, std::vector<SaveFormat>{SaveFormat::PageBytes});
    EXPECT_EQ(image.fileName, "cat.png");
    EXPECT_EQ(PlanSaveAs("Report", "http://x.example/get?id=3", "application/pdf").fileName, "Report.pdf");
    EXPECT_EQ(PlanSaveAs("notes.txt", "http://x.example/notes.txt", "text/plain").fileName, "notes.txt");
    // An escaped Shift-JIS name in the address comes out as UTF-8.
    EXPECT_EQ(PlanSaveAs("", "http://x.example/%83t%83%40%83C%83%8B.pdf", "application/pdf").fileName,
              ToUtf8("ファイル.pdf"));
}

TEST(DownloadText, SizesSpeedsAndTimeLeft) {
    EXPECT_EQ(ByteSizeText(512), "512 バイト");
    EXPECT_EQ(ByteSizeText(1536), "1.5 KB");
    EXPECT_EQ(ProgressText(12 * 1024 * 1024, 50LL * 1024 * 1024), "12.0 MB / 50.0 MB");
    EXPECT_EQ(ProgressText(2048, -1), "2.0 KB");
    EXPECT_EQ(SpeedText(1.5 * 1024 * 1024), "1.5 MB/秒");
    EXPECT_EQ(TimeLeftText(0, 100, 10), "残り 10 秒");
    EXPECT_EQ(TimeLeftText(0, 7500, 1), "残り 2 時間 5 分");
    EXPECT_EQ(TimeLeftText(0, -1, 10), "");
    EXPECT_EQ(TimeLeftText(0, 100, 0), "");
    EXPECT_EQ(DownloadSiteOfUrl("https://user@dl.example:8443/a"), "dl.example");
    EXPECT_EQ(DownloadSiteOfUrl("blob:https://app.example/5e0c"), "app.example");
    EXPECT_EQ(DownloadSiteOfUrl("data:text/plain,hi"), "data:");
}
