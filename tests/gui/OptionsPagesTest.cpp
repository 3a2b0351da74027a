// The options pages on a copy of the settings: each page shows what is
// stored, writes back only what it shows (other bits keep their value),
// clamps and cleans what the user typed, and the pages of one section share
// the session's working copy. List pages write their files on apply and
// never over a file that could not be read.
#include <gtest/gtest.h>

#include <gtkmm.h>

#include <filesystem>
#include <memory>
#include <stdexcept>
#include <string>

#include "addressbar/gtk/AddressOptionsPage.h"
#include "fakes/FakeProfile.h"
#include "fakes/FakeShell.h"
#include "filters/gtk/CloseOptionsPages.h"
#include "frame/StateLog.h"
#include "frame/gtk/StartupOptionsPages.h"
#include "gui/GuiTestSupport.h"
#include "lists/ItemListFile.h"
#include "lists/TempFolder.h"
#include "platform/text/Encoding.h"
#include "privacy/gtk/BrowserOptionsPages.h"
#include "sidebar/gtk/FernBarOptionsPage.h"

using namespace fern;
using namespace fern::test;
using fern::testing::FifoInPlace;
using fern::testing::ReadBytes;
using fern::testing::TempFolder;
using fern::testing::WriteBytes;

namespace {

// What a person reads beside the control: its label without the "&".
std::string Shown(std::string sjis) {
    std::erase(sjis, '&');
    return ToUtf8(sjis);
}

void Collect(Gtk::Widget& widget, std::vector<Gtk::Widget*>& out) {
    out.push_back(&widget);
    if (auto* container = dynamic_cast<Gtk::Container*>(&widget))
        for (Gtk::Widget* child : container->get_children()) Collect(*child, out);
}

// The control of type T that a screen reader calls `label` (Shift-JIS).
template <class T>
T& Control(Gtk::Widget& page, const std::string& label) {
    std::vector<Gtk::Widget*> all;
    Collect(page, all);
    for (Gtk::Widget* w : all) {
        auto* control = dynamic_cast<T*>(w);
        AtkObject* accessible = control ? gtk_widget_get_accessible(w->gobj()) : nullptr;
        const char* name = accessible ? atk_object_get_name(accessible) : nullptr;
        if (name && Shown(label) == name) return *control;
    }
    ADD_FAILURE() << "no control " << Shown(label);
    throw std::runtime_error("no control");
}

// How many labels showing `text` (Shift-JIS) are visible.
int VisibleLabels(Gtk::Widget& page, const std::string& text) {
    std::vector<Gtk::Widget*> all;
    Collect(page, all);
    int n = 0;
    for (Gtk::Widget* w : all)
        if (auto* label = dynamic_cast<Gtk::Label*>(w);
            label && label->get_visible() && label->get_text() == ToUtf8(text))
            ++n;
    return n;
}

Gtk::CheckButton& Check(Gtk::Widget& page, const std::string& label) {
    return Control<Gtk::CheckButton>(page, label);
}

// A profile, the settings read from it, and one opening of the dialog.
struct Options {
    FakeProfile profile, windows;
    SettingsStore store{profile, windows};
    std::unique_ptr<CSettingsService> settings;
    std::unique_ptr<COptionsSession> session;
    FakeMessageBox messageBox;

    Options() { InitGtkOnce(); }
    // After the profile holds what the test stores.
    void Open() {
        settings = std::make_unique<CSettingsService>(store);
        session = std::make_unique<COptionsSession>(*settings);
    }
    // 適用 as the dialog does it: every page stores, the session applies,
    // every page shows the result.
    void Apply(std::initializer_list<IOptionsPage*> pages) {
        session->Refresh();
        for (IOptionsPage* page : pages) page->Store(*session);
        EXPECT_TRUE(session->Apply());
        for (IOptionsPage* page : pages) page->Load(session->Working());
    }
    std::string Ini(const char* section, const char* key) const {
        return profile.Get(section, key).value_or("-");
    }
};

std::vector<std::string> Urls(const std::string& path) {
    std::vector<UrlItem> items;
    (void)ReadItemList(path, items);
    std::vector<std::string> urls;
    for (const UrlItem& item : items) urls.push_back(item.url);
    return urls;
}

}  // namespace

TEST(OptionsPages, StartPagesShareStartupAndKeepBitsNoControlShows) {
    TempFolder folder;
    Options o;
    o.profile.Set("Startup", "SUStyle", std::to_string(0x40 | 0x1 | 0x10));  // 0x40: no control
    o.Open();
    BootOptionsPage boot;
    StartupUrlOptionsPage startup(folder.File("startup.fbl"), o.messageBox);
    boot.Load(o.session->Working());
    startup.Load(o.session->Working());
    EXPECT_TRUE(Check(boot.Widget(), "終了時にタブのURLをログに保存(&S)").get_active());
    EXPECT_TRUE(Check(startup.Widget(), "起動時に以下のURLを開く(&S)").get_active());

    Check(boot.Widget(), "起動時にログに保存してあるURLを復元(&R)").set_active(true);
    Check(startup.Widget(), "起動時に以下のURLを開く(&S)").set_active(false);
    Check(startup.Widget(), "ログ内容と重複チェック(&R)").set_active(true);
    o.Apply({&boot, &startup});
    EXPECT_EQ(o.Ini("Startup", "SUStyle"), std::to_string(0x40 | 0x1 | 0x2 | 0x20));
    EXPECT_TRUE(o.settings->Live().startup.restoreStateAtStart);
    EXPECT_FALSE(std::filesystem::exists(folder.File("startup.fbl")));  // the list was not touched
}

TEST(OptionsPages, StartupListIsEditedInOrderAndKeepsEachEntrysFlags) {
    TempFolder folder;
    std::string path = folder.File("startup.fbl");
    UrlItem a, b;
    a.url = "http://a/";
    a.style = 0x10;
    b.url = "http://b/";
    ASSERT_TRUE(WriteItemList(path, kStartupListName, {a, b}).ok);
    Options o;
    o.Open();
    StartupUrlOptionsPage page(path, o.messageBox);
    page.Load(o.session->Working());
    OptionsListEditor& list = page.List();
    EXPECT_EQ(list.Entries(), (std::vector<std::string>{"http://a/", "http://b/"}));

    // A pasted block of two lines becomes two entries, and the user hears of it.
    list.Field().set_text("http://c/\nhttp://d/");
    list.Add();
    EXPECT_EQ(o.messageBox.shown.size(), 1u);
    EXPECT_EQ(list.Field().get_text(), "");  // ready for the next entry, not holding the last one again
    list.Select(0);
    list.Move(1);  // a below b
    list.Select(3);
    list.Remove();  // d
    list.Select(0);
    list.Field().set_text("http://b2/");
    list.Modify();
    // Registered from a tab's menu while the page was open.
    ASSERT_TRUE(AddToStartupList(path, "http://registered/").ok);
    o.Apply({&page});
    EXPECT_EQ(Urls(path),
              (std::vector<std::string>{"http://b2/", "http://a/", "http://c/", "http://registered/"}));
    std::vector<UrlItem> items;
    (void)ReadItemList(path, items);
    ASSERT_EQ(items.size(), 4u);
    EXPECT_EQ(items[1].style, 0x10u);  // a kept its flags through the move
    EXPECT_EQ(items[2].style, 112u);
}

TEST(OptionsPages, StartupListThatCouldNotBeReadIsNeitherEditableNorReplaced) {
    TempFolder folder;
    std::string path = folder.File("startup.fbl");
    FifoInPlace fifo(path);
    ASSERT_TRUE(fifo.Made());
    Options o;
    o.Open();
    StartupUrlOptionsPage page(path, o.messageBox);
    page.Load(o.session->Working());
    EXPECT_FALSE(page.List().get_sensitive());
    EXPECT_NE(LabelTexts(GTK_WIDGET(page.Widget().gobj())).find(ToUtf8("読み込めないため")),
              std::string::npos);
    // Even an edit that reached the list is not written over the file.
    page.List().Field().set_text("http://x/");
    page.List().Add();
    o.Apply({&page});
    EXPECT_TRUE(fifo.StillThere());
    EXPECT_EQ(o.messageBox.shown.size(), 1u);
}

TEST(OptionsPages, BrowserPagesShareTheSectionAndKeepWhatNoControlShows) {
    Options o;
    // 0x8 silent and 0x800 (unknown) have no control; host flags 0x4000 neither.
    o.profile.Set("Browser", "BOStyle", std::to_string(0x800 | 0x8 | 0x1 | 0x100));
    o.profile.Set("Browser", "BOHostUIFlags", std::to_string(0x4000));
    o.profile.Set("Browser", "BODLCDefault", std::to_string(0x70 | 0x1000));
    o.profile.Set("Browser", "BODLCDefault3", std::to_string(0x80 | 0x100));
    o.profile.Set("Browser", "BOCookie", "7");
    o.Open();
    bool registered = false;
    BrowserPageServices services{[] { return std::string("http://127.0.0.1/now"); },
                                 [&] { return registered; },
                                 [&](bool on, std::string*) {
                                     registered = on;
                                     return true;
                                 },
                                 o.messageBox, o.settings->Live().browser};
    BrowserOptionsPage browser(services);
    BrowserOtherOptionsPage other(services);
    SecurityOptionsPage security(services);
    for (IOptionsPage* page : std::initializer_list<IOptionsPage*>{&browser, &other, &security})
        page->Load(o.session->Working());

    EXPECT_TRUE(Check(browser.Widget(), "ナビゲート、タブ選択時のフォーカス移動(&F)").get_active());
    Check(browser.Widget(), "リンクのターゲット名を解決(&T)").set_active(true);
    Check(browser.Widget(), "ホーム ページを指定(&H)").set_active(true);
    Control<Gtk::Button>(browser.Widget(), "現在のページ(&C)").clicked();
    Check(browser.Widget(), "標準ブラウザに設定(&S)").set_active(true);

    // Page drops turn the host site off, and flat scroll bars with it.
    Gtk::CheckButton& flat = Check(other.Widget(), "フラットスクロールバー [再起動] (&F)");
    EXPECT_TRUE(flat.get_sensitive());
    flat.set_active(true);
    Check(other.Widget(), "ページへのドロップを受け付ける [IE4-5.01] [再起動] (&F)").set_active(true);
    EXPECT_FALSE(flat.get_sensitive());
    Control<Gtk::Entry>(other.Widget(), "UserAgent [再起動] (&U)").set_text("Fern/9\r\nX-Bad: 1");

    Check(security.Widget(), "親タブのセキュリティを継承(&U)").set_active(true);
    // Images off in the default set, scripts allowed in "設定 中".
    Check(security.Widget(), "画像のダウンロード(&I)").set_active(false);
    Control<Gtk::ComboBoxText>(security.Widget(), "セキュリティ テンプレート(&T)").set_active(3);
    Gtk::CheckButton& scripts = Check(security.Widget(), "Scriptの実行(&S)");
    EXPECT_FALSE(scripts.get_active());  // 0x80 set: not allowed
    scripts.set_active(true);

    o.Apply({&browser, &other, &security});
    EXPECT_EQ(o.Ini("Browser", "BOStyle"), std::to_string(0x800 | 0x8 | 0x100 | 0x4 | 0x80 | 0x40));
    EXPECT_EQ(o.Ini("Browser", "BOHostUIFlags"), std::to_string(0x4000 | 0x80));
    EXPECT_EQ(o.Ini("Browser", "BODLCDefault"), std::to_string(0x60 | 0x1000));
    EXPECT_EQ(o.Ini("Browser", "BODLCDefault3"), std::to_string(0x100));
    EXPECT_EQ(o.Ini("Browser", "BODLCDefault1"), "112");
    EXPECT_EQ(o.Ini("Browser", "BOCookie"), "7");  // "IE6" as stored
    EXPECT_EQ(o.Ini("Browser", "BOHomePageUrl"), "http://127.0.0.1/now");
    EXPECT_EQ(o.Ini("Browser", "BOUserAgent"), "Fern/9X-Bad: 1");
    EXPECT_EQ(o.messageBox.shown.size(), 1u);  // told about the user agent
    EXPECT_TRUE(registered);
    // The latched switches show that they wait for the next start.
    EXPECT_EQ(VisibleLabels(other.Widget(), "再起動後に有効になります"), 2);  // flat scroll bars, page drops

    Control<Gtk::ComboBoxText>(security.Widget(), "クッキーの切り替え(&K)").set_active(0);
    o.Apply({&browser, &other, &security});
    EXPECT_EQ(o.Ini("Browser", "BOCookie"), "2");
    EXPECT_EQ(o.Ini("Browser", "BODLCDefault3"), std::to_string(0x100));  // the chooser shows what was stored
}

TEST(OptionsPages, WhatMenusChangeWhileTheDialogIsOpenStaysWhereThePagesChangedNothing) {
    Options o;
    o.profile.Set("Browser", "BOStyle", std::to_string(0x1));
    o.profile.Set("CloseUrl", "COUStyle", "0");
    o.Open();
    BrowserPageServices services{{}, {}, {}, o.messageBox, o.settings->Live().browser};
    BrowserOptionsPage browser(services);
    SecurityOptionsPage security(services);
    TempFolder folder;
    CCloseFilter filter(o.settings->Live().closeUrl);
    ClosePageServices closeServices{filter, folder.File("close.fbl"), o.messageBox};
    CloseUrlOptionsPage close(closeServices);
    for (IOptionsPage* page : std::initializer_list<IOptionsPage*>{&browser, &security, &close})
        page->Load(o.session->Working());

    // The menus: the dialog sweep on, images off for new tabs, the script
    // switch; none of them has a control on these pages but the images.
    o.settings->Change(SettingsSection::Browser, [](ProgramSettings& s) {
        s.browser.dialogSweep = true;
        s.browser.showScriptErrors = true;
        s.browser.downloadControl &= ~0x10;
    });
    // On the pages: focus on, sounds off in the default set.
    Check(browser.Widget(), "ナビゲート、タブ選択時のフォーカス移動(&F)").set_active(true);
    Check(security.Widget(), "サウンドのダウンロード(&S)").set_active(false);
    Check(close.Widget(), "新規タブのみ閉じる(&N)").set_active(true);
    o.Apply({&browser, &security, &close});

    const BrowserSettings& b = o.settings->Live().browser;
    EXPECT_TRUE(b.dialogSweep);
    EXPECT_TRUE(b.showScriptErrors);
    EXPECT_TRUE(b.focusPage);
    EXPECT_EQ(b.downloadControl, 0x70 & ~0x10 & ~0x40);
    EXPECT_EQ(o.Ini("Browser", "BOStyle"), std::to_string(0x1 | 0x2 | 0x100 | 0x400));
    EXPECT_EQ(o.Ini("CloseUrl", "COUStyle"), "2");
    // The pages show the result, menus' changes included.
    EXPECT_FALSE(Check(security.Widget(), "画像のダウンロード(&I)").get_active());
}

TEST(OptionsPages, AddressPageClampsTheLimitKeepsReservedBitsAndAsksBeforeClearing) {
    Options o;
    o.profile.Set("AddressBar", "ABUrlLimit", "1000");
    o.profile.Set("AddressBar", "ABStyle", std::to_string(0x2 | 0x8 | 0x20));
    o.profile.Set("FileDlg", "FDStyle", std::to_string(0x1 | 0x4));
    o.Open();
    int cleared = 0;
    AddressPageServices services{[&] { return ++cleared, true; }, o.messageBox, false, false};
    AddressOptionsPage page(services);
    page.Load(o.session->Working());
    Gtk::SpinButton& limit = Control<Gtk::SpinButton>(page.Widget(), "アドレス バーに記憶するURLの数(&N)");
    EXPECT_EQ(limit.get_value_as_int(), 256);
    Check(page.Widget(), "オートコンプリート(IE5.0以上) [再起動] (&A)").set_active(true);
    Check(page.Widget(), "開くダイアログのオートコンプリート(IE5.0以上) [再起動] (&O)").set_active(true);
    Control<Gtk::Entry>(page.Widget(), "Ctrl+Enterで前に付ける文字列(&F)").set_text("https://\twww.");
    o.Apply({&page});
    EXPECT_EQ(o.Ini("AddressBar", "ABUrlLimit"), "256");
    EXPECT_EQ(o.Ini("AddressBar", "ABStyle"), std::to_string(0x2 | 0x8 | 0x20 | 0x4));
    EXPECT_EQ(o.Ini("AddressBar", "ABAddUrlF"), "https://www.");
    EXPECT_EQ(o.Ini("FileDlg", "FDStyle"), std::to_string(0x1 | 0x4 | 0x2));
    EXPECT_EQ(o.messageBox.shown.size(), 1u);

    limit.set_value(0);  // below the range: held to 1
    o.Apply({&page});
    EXPECT_EQ(o.Ini("AddressBar", "ABUrlLimit"), "1");

    o.messageBox.answer = MessageBoxAnswer::Cancel;
    page.ClearHistory();
    EXPECT_EQ(cleared, 0);
    o.messageBox.answer = MessageBoxAnswer::Ok;
    page.ClearHistory();
    EXPECT_EQ(cleared, 1);
}

TEST(OptionsPages, CloseListsGoIntoTheFilterAndClosefblOnApply) {
    TempFolder folder;
    std::string path = folder.File("close.fbl");
    Options o;
    o.profile.Set("CloseUrl", "COUStyle", std::to_string(0x2 | 0x8));  // 0x8: no control
    o.Open();
    CCloseFilter filter(o.settings->Live().closeUrl);
    filter.Lists().titles = {"Ad*"};
    ClosePageServices services{filter, path, o.messageBox};
    CloseUrlOptionsPage urls(services);
    CloseTitleOptionsPage titles(services);
    urls.Load(o.session->Working());
    titles.Load(o.session->Working());
    EXPECT_EQ(titles.List().Entries(), std::vector<std::string>{"Ad*"});

    Check(urls.Widget(), "以下のURLは読み込まない [ワイルドカード(*)有効] (&U)").set_active(true);
    Check(titles.Widget(), "以下のタイトルは閉じる(&C)").set_active(true);
    urls.List().Field().set_text("http://127.0.0.1:*/popup*");
    urls.List().Add();
    // A 100 KB pattern is refused, with a word.
    urls.List().Field().set_text(std::string(100 * 1024, '*'));
    urls.List().Add();
    EXPECT_EQ(o.messageBox.shown.size(), 1u);
    filter.Lists().urls.push_back("http://registered/");  // "制止URLに登録(&C)" meanwhile
    o.Apply({&urls, &titles});

    EXPECT_EQ(o.Ini("CloseUrl", "COUStyle"), std::to_string(0x1 | 0x2 | 0x8));
    EXPECT_EQ(o.Ini("CloseUrl", "COTStyle"), "1");
    EXPECT_TRUE(filter.MatchesCloseUrl("http://127.0.0.1:8080/popup.html"));
    CloseLists read;
    ASSERT_TRUE(ReadCloseLists(path, read).ok);
    EXPECT_EQ(read.urls, (std::vector<std::string>{"http://127.0.0.1:*/popup*", "http://registered/"}));
    EXPECT_EQ(read.titles, std::vector<std::string>{"Ad*"});
}

TEST(OptionsPages, CloseListsOfAnUnreadableFileWorkThisRunButTheFileStays) {
    TempFolder folder;
    std::string path = folder.File("close.fbl");
    FifoInPlace fifo(path);
    ASSERT_TRUE(fifo.Made());
    Options o;
    o.profile.Set("CloseUrl", "COUStyle", "1");
    o.Open();
    CCloseFilter filter(o.settings->Live().closeUrl);
    (void)ReadCloseLists(path, filter.Lists());
    ASSERT_TRUE(filter.Lists().unreadable);
    ClosePageServices services{filter, path, o.messageBox};
    CloseUrlOptionsPage page(services);
    page.Load(o.session->Working());
    EXPECT_NE(LabelTexts(GTK_WIDGET(page.Widget().gobj())).find(ToUtf8("読み込めなかった")),
              std::string::npos);
    page.List().Field().set_text("http://x/*");
    page.List().Add();
    o.Apply({&page});
    EXPECT_TRUE(filter.MatchesCloseUrl("http://x/y"));
    EXPECT_TRUE(fifo.StillThere());
    ASSERT_EQ(o.messageBox.shown.size(), 1u);
    EXPECT_NE(o.messageBox.shown[0].find("保存できませんでした"), std::string::npos);
}

TEST(OptionsPages, TenThousandEntriesLoadAndSave) {
    TempFolder folder;
    std::string path = folder.File("close.fbl");
    Options o;
    o.Open();
    CCloseFilter filter(o.settings->Live().closeUrl);
    for (int i = 0; i < 10000; ++i) filter.Lists().urls.push_back("http://host" + std::to_string(i) + "/*");
    ClosePageServices services{filter, path, o.messageBox};
    CloseUrlOptionsPage page(services);
    page.Load(o.session->Working());
    ASSERT_EQ(page.List().Entries().size(), 10000u);
    page.List().Select(0);
    page.List().Remove();
    o.Apply({&page});
    CloseLists read;
    ASSERT_TRUE(ReadCloseLists(path, read).ok);
    ASSERT_EQ(read.urls.size(), 9999u);
    EXPECT_EQ(read.urls.front(), "http://host1/*");
}

TEST(OptionsPages, FernBarPageWritesWhatChangedAndKeepsOtherBits) {
    Options o;
    o.profile.Set("FernBar", "FBStyle", std::to_string(0x3E | 0x40));  // 0x40: no control
    o.profile.Set("FernBar", "FBIndex", "7");
    o.profile.Set("Bookmark", "BKBarStyle", std::to_string(0x16));
    o.Open();
    FernBarOptionsPage page;
    page.Load(o.session->Working());
    EXPECT_FALSE(Check(page.Widget(), "タブを下に表示(&B)").get_active());
    EXPECT_TRUE(Check(page.Widget(), "タブのタイトルを表示(&D)").get_active());
    EXPECT_EQ(Control<Gtk::ComboBoxText>(page.Widget(), "起動時のパネル(&P)").get_active_row_number(), 0);
    EXPECT_EQ(Control<Gtk::ComboBoxText>(page.Widget(), "履歴検索の文字コード(&C)").get_active_row_number(),
              0);

    // Nothing changed: nothing is written, and the index out of range stays.
    o.Apply({&page});
    EXPECT_EQ(o.Ini("FernBar", "FBIndex"), "7");
    EXPECT_EQ(o.Ini("History", "HistoryStyle"), "-");

    Check(page.Widget(), "タブを下に表示(&B)").set_active(true);
    Check(page.Widget(), "タブのタイトルを表示(&D)").set_active(false);
    Check(page.Widget(), "ファーンバーのブックマークは新規タブ(&K)").set_active(true);
    Check(page.Widget(), "ファーンバーの履歴は新規タブ(&H)").set_active(true);
    Control<Gtk::ComboBoxText>(page.Widget(), "履歴検索の文字コード(&C)").set_active(5);
    EXPECT_TRUE(Check(page.Widget(), "キャッシュ内検索用にページの本文を保存 [再起動] (&T)").get_active());
    Check(page.Widget(), "キャッシュ内検索用にページの本文を保存 [再起動] (&T)").set_active(false);
    o.Apply({&page});
    EXPECT_EQ(o.Ini("History", "HistoryPageTexts"), "0");
    EXPECT_EQ(o.Ini("FernBar", "FBStyle"), std::to_string((0x3E | 0x40 | 0x1) & ~0x4));
    EXPECT_EQ(o.Ini("FernBar", "FBIndex"), "7");
    EXPECT_EQ(o.Ini("Bookmark", "BKBarStyle"), std::to_string(0x17));
    EXPECT_EQ(o.Ini("History", "HistoryStyle"), "3");
    EXPECT_EQ(o.Ini("HistorySearch", "HSHCharCode"), "4");  // UTF-8
    EXPECT_EQ(o.settings->Live().fernBar.tabsAtBottom, true);

    Control<Gtk::ComboBoxText>(page.Widget(), "起動時のパネル(&P)").set_active(3);
    o.Apply({&page});
    EXPECT_EQ(o.Ini("FernBar", "FBIndex"), "3");
}
