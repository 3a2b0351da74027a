#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "addressbar/AddressBar.h"
#include "addressbar/AddressBarCommands.h"
#include "fakes/FakeProfile.h"
#include "settings/SettingsService.h"
#include "settings/SettingsStore.h"

using namespace fern;

namespace {

using Texts = std::vector<std::string>;

// "text FLAGS", as the bar would open it.
std::string Shown(const std::string& text, int flags) {
    char hex[16];
    snprintf(hex, sizeof hex, " %X", flags);
    return text + hex;
}

struct ViewLog : IAddressBarView {
    int changes = 0, closes = 0, styles = 0;
    void TypedListChanged() override { ++changes; }
    void CloseList() override { ++closes; }
    void StyleChanged() override { ++styles; }
};

class AddressBarTest : public ::testing::Test {
protected:
    AddressBarSettings settings = Defaults();
    CAddressBar bar{settings};
    ViewLog view;
    Texts opened;

    static AddressBarSettings Defaults() {
        AddressBarSettings s;
        s.urlLimit = 128;
        s.addUrlFront = "http://www.";
        s.addUrlBack = ".co.jp";
        return s;
    }
    void SetUp() override {
        bar.SetView(&view);
        bar.SetOpener([this](const std::string& t, int f, std::uint32_t d, int m) {
            opened.push_back(Shown(t, f));
            EXPECT_EQ(d, 0xFFFFFFFFu);  // the tab keeps its flags
            EXPECT_EQ(m, 1);
        });
    }
    std::string Enter(const std::string& text, bool ctrl, bool shift, bool alt) {
        AddressEnter e = bar.EnterText(text, ctrl, shift, alt);
        return Shown(e.text, e.flags);
    }
    std::string List() const {
        std::string out;
        for (const std::string& s : bar.TypedUrls()) out += (out.empty() ? "" : " ") + s;
        return out;
    }
};

}  // namespace

TEST(TypedUrlEquals, IgnoresCaseAndOneTrailingSeparator) {
    EXPECT_TRUE(TypedUrlEquals("http://Example.COM/", "http://example.com"));
    EXPECT_TRUE(TypedUrlEquals("http://example.com", "HTTP://EXAMPLE.COM\\"));
    EXPECT_TRUE(TypedUrlEquals("a/", "a\\"));
    EXPECT_FALSE(TypedUrlEquals("a//", "a"));
    EXPECT_FALSE(TypedUrlEquals("http://a/b", "http://a/c"));
    // "ソ" ends in the byte of "\": it is not a separator to drop.
    EXPECT_FALSE(TypedUrlEquals("file:ソ", "file:\x83"));
    EXPECT_TRUE(TypedUrlEquals("file:ソ\\", "file:ソ"));
    // Double-byte letters are not folded.
    EXPECT_FALSE(TypedUrlEquals("ａ", "Ａ"));
}

TEST_F(AddressBarTest, OpensAddOrMoveTypedAddressesByTheirFlags) {
    bar.OnOpened("http://a/", 0xE);
    bar.OnOpened("http://b", 0xE);
    EXPECT_EQ(List(), "http://b http://a/");
    // Already there, with or without the trailing "/": moved, not added.
    bar.OnOpened("HTTP://A", 0xE);
    EXPECT_EQ(List(), "http://a/ http://b");
    bar.OnOpened("http://b/", 0xF);
    EXPECT_EQ(List(), "http://b http://a/");
    // 0x8 alone only moves an address that is there.
    bar.OnOpened("http://a", 0x8);
    bar.OnOpened("http://c", 0x8);
    EXPECT_EQ(List(), "http://a/ http://b");
    // Opens of bookmarks and other tabs (flags 1..3) leave the list alone;
    // an empty address opens nothing.
    bar.OnOpened("http://d", 0x3);
    bar.OnOpened("", 0xE);
    EXPECT_EQ(List(), "http://a/ http://b");
    EXPECT_FALSE(bar.AddTypedUrl("http://none"));
    EXPECT_TRUE(bar.AddTypedUrl("http://B"));
    EXPECT_EQ(bar.TypedUrls().front(), "http://b");
}

TEST_F(AddressBarTest, AddingClosesAnOpenListAndARefusalClosesItToo) {
    bar.ListOpened();
    bar.OnOpened("http://a", 0x8);
    EXPECT_EQ(view.closes, 0);
    bar.OnOpened("http://a", 0xA);  // a pick only moves an address that is there
    EXPECT_EQ(view.closes, 0);
    bar.OnOpened("http://a", 0xE);
    EXPECT_EQ(view.closes, 1);
    bar.ListClosed();
    bar.OnOpened("http://b", 0xE);
    EXPECT_EQ(view.closes, 1);
    bar.OnOpenRefused();
    EXPECT_EQ(view.closes, 2);
}

TEST_F(AddressBarTest, MovesTrimsAndTheLimitOfTheStyle) {
    bar.SetTypedUrls({"a", "b", "c", "d"});
    EXPECT_TRUE(bar.MoveTypedUrl(3, 1));
    EXPECT_EQ(List(), "a d b c");
    EXPECT_FALSE(bar.MoveTypedUrl(4, 0));
    EXPECT_FALSE(bar.MoveTypedUrl(0, -1));
    bar.TrimTypedList(3);
    EXPECT_EQ(List(), "a d b");
    settings.urlLimit = 1;
    bar.ApplyStyle();
    EXPECT_EQ(List(), "a");
    EXPECT_EQ(view.styles, 1);
    settings.urlLimit = -5;
    bar.ApplyStyle();
    EXPECT_EQ(List(), "");
    // Items hold at most 2084 bytes; a longer address finds its cut item.
    std::string longUrl = "http://x/" + std::string(3000, 'q');
    bar.InsertTypedUrl(longUrl);
    EXPECT_EQ(bar.TypedUrls().front().size(), CAddressBar::kMaxItemBytes);
    EXPECT_TRUE(bar.AddTypedUrl(longUrl));
    EXPECT_EQ(bar.TypedUrls().size(), 1u);
}

TEST_F(AddressBarTest, EnterTextRulesForCtrlAltAndShift) {
    EXPECT_EQ(Enter("example", false, false, false), "example E");
    EXPECT_EQ(Enter("example", true, false, false), "http://www.example.co.jp E");
    EXPECT_EQ(Enter("example", true, true, false), "http://www.example.co.jp F");
    EXPECT_EQ(Enter("http://a/", false, false, true), "view-source:http://a/ E");
    EXPECT_EQ(Enter("日本", true, false, true), "view-source:http://www.日本.co.jp E");
    // Ctrl adds nothing to an empty text; Alt still puts its prefix.
    EXPECT_EQ(Enter("", true, false, false), " E");
    EXPECT_EQ(Enter("", false, false, true), "view-source: E");

    bar.Open(bar.EnterText("example", true, false, false));
    bar.Open(bar.EnterText("", false, false, false));  // an empty edit opens nothing
    EXPECT_EQ(opened, Texts{"http://www.example.co.jp E"});

    settings.addUrlFront = "http://127.0.0.1:8080/";
    settings.addUrlBack = "%s.html";  // taken as it stands, not as a format
    EXPECT_EQ(bar.EnterText("x", true, false, false).text, "http://127.0.0.1:8080/x%s.html");
}

TEST(AddressKeys, WhatEachKeyDoes) {
    auto key = [](AddressKey k, auto&&... setters) {
        AddressKeyInput in;
        in.key = k;
        (setters(in), ...);
        return AddressKeyDown(in);
    };
    auto listOpen = [](AddressKeyInput& in) { in.listOpen = true; };
    auto atFirst = [](AddressKeyInput& in) { in.firstItemSelected = true; };
    auto page = [](AddressKeyInput& in) { in.hasPage = true; };
    auto alt = [](AddressKeyInput& in) { in.alt = true; };
    auto ctrl = [](AddressKeyInput& in) { in.ctrl = true; };
    auto hidden = [](AddressKeyInput& in) { in.barVisible = false; };

    EXPECT_EQ(key(AddressKey::Tab), AddressKeyAction::PassOn);
    EXPECT_EQ(key(AddressKey::Tab, page), AddressKeyAction::SendToPage);
    EXPECT_EQ(key(AddressKey::F6, page), AddressKeyAction::SendToPage);
    EXPECT_EQ(key(AddressKey::F6), AddressKeyAction::PassOn);
    EXPECT_EQ(key(AddressKey::Enter, alt), AddressKeyAction::Open);
    EXPECT_EQ(key(AddressKey::Escape), AddressKeyAction::RefocusEdit);
    EXPECT_EQ(key(AddressKey::Escape, listOpen), AddressKeyAction::CloseList);
    EXPECT_EQ(key(AddressKey::Up, listOpen, atFirst), AddressKeyAction::CloseListToEdit);
    EXPECT_EQ(key(AddressKey::Up, listOpen), AddressKeyAction::PassOn);
    EXPECT_EQ(key(AddressKey::Up), AddressKeyAction::PassOn);
    EXPECT_EQ(key(AddressKey::Down), AddressKeyAction::SelectAllOpenList);
    EXPECT_EQ(key(AddressKey::Down, listOpen), AddressKeyAction::PassOn);
    EXPECT_EQ(key(AddressKey::F4), AddressKeyAction::ToggleList);
    EXPECT_EQ(key(AddressKey::F4, listOpen), AddressKeyAction::ToggleList);
    EXPECT_EQ(key(AddressKey::F4, alt), AddressKeyAction::PassOn);
    EXPECT_EQ(key(AddressKey::F4, hidden), AddressKeyAction::PassOn);
    EXPECT_EQ(key(AddressKey::A, ctrl), AddressKeyAction::SelectAll);
    EXPECT_EQ(key(AddressKey::A), AddressKeyAction::PassOn);
    EXPECT_EQ(key(AddressKey::Other, ctrl), AddressKeyAction::PassOn);
}

TEST_F(AddressBarTest, APickOpensOnlyWhenTheListClosedOnIt) {
    EXPECT_FALSE(bar.SelectionChanged("http://a", false, false));  // set from the program
    bar.ListOpened();
    EXPECT_TRUE(bar.DroppedDown());
    EXPECT_FALSE(bar.SelectionChanged("http://a", false, false));  // moving in the open list
    bar.ListClosed();
    EXPECT_FALSE(bar.SelectionChanged("http://a", false, false));  // the flag went with the last change
    bar.ListOpened();
    bar.ListClosed();
    EXPECT_TRUE(bar.SelectionChanged("http://a", true, true));
    EXPECT_FALSE(bar.SelectionChanged("http://a", false, false));
    bar.ListOpened();
    bar.ListClosed();
    EXPECT_FALSE(bar.SelectionChanged("", false, false));
    EXPECT_EQ(opened, Texts{"view-source:http://a B"});
}

TEST_F(AddressBarTest, DropsPreferBookmarksThenFilesThenText) {
    AddressDrop drop;
    drop.text = "  http://text/ \r\n";
    bar.Drop(drop, false, false);
    drop.files = {"/tmp/a b.html"};
    bar.Drop(drop, false, true);
    drop.bookmarkUrls = {"http://bm1", "", "http://bm2"};
    bar.Drop(drop, false, false);
    AddressDrop empty;
    empty.text = " \t";
    bar.Drop(empty, true, false);
    // Several addresses each get a tab of their own.
    EXPECT_EQ(opened,
              (Texts{"http://text/ A", "view-source:/tmp/a b.html A", "http://bm1 B", "http://bm2 B"}));
}

TEST_F(AddressBarTest, GoButtonToggleIsWrittenAndTheTipFitsIn120Bytes) {
    FakeProfile profile, windows;
    profile.Set("AddressBar", "ABStyle", "10");  // 0x2 (kept) | 0x8 (go button)
    SettingsStore store(profile, windows);
    CSettingsService service(store);
    CAddressBar live(service.Live().addressBar);
    ViewLog liveView;
    live.SetView(&liveView);
    SettingsSubscription restyle = service.Subscribe(SettingsSection::AddressBar, [&] { live.ApplyStyle(); });
    ASSERT_TRUE(service.Live().addressBar.goButton);
    EXPECT_TRUE(ToggleGoButton(service));
    EXPECT_FALSE(service.Live().addressBar.goButton);
    EXPECT_EQ(profile.Get("AddressBar", "ABStyle"), "2");  // the reserved bit stays
    EXPECT_EQ(liveView.styles, 1);

    EXPECT_EQ(GoButtonTip("http://a/"), "\"http://a/\"\n  へ移動");
    std::string longUrl = "http://example.com/" + std::string(300, 'd') + "/ページ.html";
    std::string tip = GoButtonTip(longUrl);
    EXPECT_LE(tip.size(), 120u);
    EXPECT_NE(tip.find("d.../ページ.html\"\n  へ移動"), std::string::npos) << tip;
    EXPECT_EQ(tip.front(), '"');
}

TEST(OpenDialog, OkSetsFDStyleBit0AndChoosesTheTab) {
    FileDlgSettings fileDlg;
    fileDlg.style = 0x6;
    EXPECT_EQ(AcceptOpenDialog(fileDlg, true), 3);
    EXPECT_EQ(fileDlg.style, 0x7);
    EXPECT_TRUE(fileDlg.openInNewTab);
    EXPECT_EQ(AcceptOpenDialog(fileDlg, false), 2);
    EXPECT_EQ(fileDlg.style, 0x6);
}
