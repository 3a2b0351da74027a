#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "filters/DialogSweep.h"
#include "filters/MessageBoxFilter.h"
#include "filters/PageDialogCaption.h"
#include "filters/PageDialogFilter.h"

using namespace fern;

namespace {

using Texts = std::vector<std::string>;

SweepAction Sweep(const char* caption, std::optional<std::string> text, bool pageDialog = false,
                  SweptKind kind = SweptKind::StandardDialog) {
    return SweepRule({kind, caption, std::move(text), pageDialog});
}

}  // namespace

TEST(MessageBoxFilter, KillTextsSplitOnCommasOutsideQuotes) {
    EXPECT_EQ(SplitKillTexts("ActiveX,実行"), (Texts{"ActiveX", "実行"}));
    EXPECT_EQ(SplitKillTexts("\"a,b\",c"), (Texts{"a,b", "c"}));
    EXPECT_EQ(SplitKillTexts(""), (Texts{""}));
    EXPECT_EQ(SplitKillTexts("a,,b,"), (Texts{"a", "", "b", ""}));
    EXPECT_EQ(SplitKillTexts("\"ab\"cd,e"), (Texts{"abcd", "e"}));
    // A quote left open takes the rest; a stray quote inside a field is kept.
    EXPECT_EQ(SplitKillTexts("x,\"open, to the end"), (Texts{"x", "open, to the end"}));
    EXPECT_EQ(SplitKillTexts("\""), (Texts{""}));
    EXPECT_EQ(SplitKillTexts("a\"b,c"), (Texts{"a\"b", "c"}));
    std::string huge(100 * 1024, '"');
    EXPECT_FALSE(SplitKillTexts(huge).empty());
}

TEST(MessageBoxFilter, CaptionAndEveryTextOfAnyEnabledItem) {
    std::vector<KillMsgDlgItem> items{KillMsgDlgSettings::DefaultItem()};
    // The stored legacy caption stands for our page boxes.
    EXPECT_TRUE(MessageBoxHandled(items, kPageDialogCaption, "このActiveXを実行しますか"));
    EXPECT_FALSE(MessageBoxHandled(items, kPageDialogCaption, "このActiveXを使いますか"));
    EXPECT_TRUE(MessageBoxHandled(items, kPageDialogCaption, ""));  // no text to check
    EXPECT_FALSE(MessageBoxHandled(items, "Other", "ActiveX 実行"));
    items[0].style = 0;
    EXPECT_FALSE(MessageBoxHandled(items, kPageDialogCaption, "ActiveX 実行"));
    // Every enabled item is consulted, in order.
    items.push_back({1, "ads", "Fern", "\"win, now\""});
    items.push_back({2, "part", "Explorer", "当選"});
    EXPECT_TRUE(MessageBoxHandled(items, kPageDialogCaption, "You win, now!"));
    EXPECT_TRUE(MessageBoxHandled(items, kPageDialogCaption, "ご当選です"));
    EXPECT_FALSE(MessageBoxHandled(items, kPageDialogCaption, "win now"));
    // A double-byte character whose trail byte spells the wanted ASCII is
    // not a match ("ア" is 0x83 0x41).
    items = {{1, "", "", "A"}};
    EXPECT_FALSE(MessageBoxHandled(items, kPageDialogCaption, "ア"));
    EXPECT_TRUE(MessageBoxHandled(items, kPageDialogCaption, std::string(100 * 1024, 'x') + "A"));
}

TEST(DialogSweep, StandardAndHtmlDialogs) {
    const char* legacy = kLegacyPageDialogCaption;
    EXPECT_EQ(Sweep(legacy, "このActiveXは安全ではありません"), SweepAction::Dismiss);
    EXPECT_EQ(Sweep(legacy, "ファイルを開けません"), SweepAction::Dismiss);
    EXPECT_EQ(Sweep(legacy, "ショートカットを作成しますか"), SweepAction::Keep);
    EXPECT_EQ(Sweep(legacy, "anything else"), SweepAction::Dismiss);
    EXPECT_EQ(Sweep(legacy, std::nullopt), SweepAction::Keep);  // no static text
    EXPECT_EQ(Sweep("Windows - Microsoft Internet Explorer", ""), SweepAction::Dismiss);
    EXPECT_EQ(Sweep("オフラインでは使えません", "接続しますか"), SweepAction::Dismiss);
    // Our page boxes count as the legacy caption; our other boxes share the
    // program's name and are left alone.
    EXPECT_EQ(Sweep(kPageDialogCaption, "hello", true), SweepAction::Dismiss);
    EXPECT_EQ(Sweep(kPageDialogCaption, "ショートカット", true), SweepAction::Keep);
    EXPECT_EQ(Sweep(kPageDialogCaption, "削除しますか", false), SweepAction::Keep);
    EXPECT_EQ(Sweep("自動更新間隔", ""), SweepAction::Keep);
    // HTML dialogs: closed when the caption holds both words.
    EXPECT_EQ(Sweep("スクリプト エラー", std::nullopt, false, SweptKind::HtmlDialog), SweepAction::Close);
    EXPECT_EQ(Sweep("スクリプト", "", false, SweptKind::HtmlDialog), SweepAction::Keep);
    EXPECT_EQ(Sweep(legacy, "x", false, SweptKind::HtmlDialog), SweepAction::Keep);
}

TEST(PageDialogFilter, HostSiteAndScriptErrorSwitch) {
    BrowserSettings browser;
    std::vector<std::string> status;
    std::vector<ScriptErrorInfo> shown;
    CPageDialogFilter::Ui ui{[&](const std::string& s) { status.push_back(s); },
                             [&](const ScriptErrorInfo& e) { shown.push_back(e); }};
    {
        browser.customHostSite = false;  // latched: no filtering, no reports
        CPageDialogFilter off(browser, {KillMsgDlgSettings::DefaultItem()}, ui);
        browser.customHostSite = true;
        EXPECT_FALSE(off.MessageBoxHandled(kPageDialogCaption, ""));
        off.ScriptError("x", "http://a/", 1);
        EXPECT_TRUE(status.empty() && shown.empty());
    }
    CPageDialogFilter on(browser, {KillMsgDlgSettings::DefaultItem()}, ui);
    EXPECT_TRUE(on.MessageBoxHandled(kPageDialogCaption, ""));
    on.ScriptError("ReferenceError: f", "http://a/", 12);
    EXPECT_EQ(status, std::vector<std::string>{kScriptErrorStatus});
    browser.showScriptErrors = true;  // read on each report
    on.ScriptError("TypeError", "http://b/", 3);
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].url, "http://b/");
    EXPECT_EQ(shown[0].line, 3);
    EXPECT_EQ(status.size(), 1u);

    // A page throwing megabytes cannot fill the window with them.
    std::string huge(10 * 1024 * 1024, 'x');
    on.ScriptError(huge, "http://c/?" + huge, 4);
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_LE(shown[1].message.size(), kScriptErrorTextLimit + 4);
    EXPECT_LE(shown[1].url.size(), kScriptErrorTextLimit + 4);
    EXPECT_EQ(shown[1].url.compare(0, 10, "http://c/?"), 0);
}
