// The page commands on a real WebKit view, against pages from a local
// server: find next across frames, the find window, the selected text, the
// page's properties, the comments made visible, the history titles, the
// desktop shortcut and the print preview.
#include <glib/gstdio.h>

#include <memory>
#include <optional>
#include <vector>

#include "gui/WebKitSuite.h"
#include "platform/fs/FileIo.h"
#include "platform/gtk/WebKitEngine.h"
#include "platform/gtk/WebKitPageComments.h"
#include "platform/gtk/WebKitPageFind.h"
#include "platform/gtk/WebKitPagePrint.h"
#include "platform/gtk/WebKitPageProperties.h"
#include "platform/gtk/WebKitPageShortcut.h"

using namespace fern;
using namespace fern::test;

namespace {

// A character with no Shift-JIS form (a snowman), in UTF-8 bytes: the
// compiler cannot carry it through the execution character set.
const std::string kSnowman = "\xE2\x98\x83";
const std::string kPropsPage =
    U8(u8"<html><head><title>性質 ") + kSnowman + "</title></head><body>props</body></html>";

struct LoadSink : BrowserEvents {
    std::vector<std::string> complete;
    void DocumentComplete(const std::string& url, bool top) override {
        if (top) complete.push_back(url);
    }
};

// The server writes the content type into its header block as given, so
// extra header lines ride along after it.
const char kWithDates[] =
    "text/html; charset=utf-8\r\nLast-Modified: Wed, 21 Oct 2015 07:28:00 GMT\r\n"
    "Date: Thu, 01 Feb 2024 00:00:05 GMT";

class WebKitPageCommandsTest : public WebKitSuite {
protected:
    static void SetUpTestSuite() {
        StartSuite("fern-pagecmd-XXXXXX");
        LocalHttpServer& s = *s_server;
        s.Serve("/find.html",
                "<html><head><title>Find</title></head><body><p id='one'>APPLE one</p>"
                "<iframe src='/findframe.html'></iframe><p id='two'>Apple two</p></body></html>");
        s.Serve("/findframe.html", "<html><body><p>apple in a frame</p></body></html>");
        s.Serve("/select.html",
                U8(u8"<html><head><title>選択</title></head><body><p id='p'>http://127.0.0.1/ソース</p>"
                   u8"<iframe id='f' src='/findframe.html'></iframe></body></html>"));
        s.Serve("/comments.html",
                "<!-- before --><html><head><title>C</title><!-- in head --></head><body>"
                "<p id='p'>a<!-- one -->b</p><!-- two -->"
                "<iframe src='/commentframe.html'></iframe></body></html>");
        s.Serve("/commentframe.html", "<html><body><!-- three --></body></html>");
        s.Serve("/props.html", kPropsPage, kWithDates);
        for (const char* page : {"h1", "h2", "h3"})
            s.Serve(std::string("/") + page + ".html",
                    std::string("<html><head><title>T") + page + "</title></head><body>x</body></html>");
    }

    static void TearDownTestSuite() { StopSuite(); }

    void SetUp() override {
        ASSERT_NE(s_server->Port(), 0);
        m_window = gtk_window_new(GTK_WINDOW_TOPLEVEL);
        gtk_window_set_default_size(GTK_WINDOW(m_window), 800, 600);
        m_engine = std::make_unique<WebKitEngine>(*s_context, "", nullptr);
        m_engine->SetEventSink(&m_sink);
        gtk_container_add(GTK_CONTAINER(m_window), m_engine->Widget());
        gtk_widget_show_all(m_window);
    }

    void TearDown() override {
        m_engine.reset();
        gtk_widget_destroy(m_window);
    }

    WebKitWebView* View() { return m_engine->View(); }

    ::testing::AssertionResult Load(const std::string& path) {
        const std::string url = Url(path);
        m_engine->Navigate2(url, 0, "", "", "");
        if (RunUntil([&] { return !m_sink.complete.empty() && m_sink.complete.back() == url; }))
            return ::testing::AssertionSuccess();
        return ::testing::AssertionFailure() << path << " did not load";
    }

    // The title may come after the load has finished.
    bool HasTitle() {
        return RunUntil(
            [&] { return webkit_web_view_get_title(View()) && *webkit_web_view_get_title(View()); });
    }

    // FindText's answer, waited for; nullopt when none came.
    std::optional<bool> Find(const std::string& text, bool fromTop) {
        std::optional<bool> answer;
        int answers = 0;
        m_engine->FindText(text, fromTop, [&](bool found) {
            answer = found;
            ++answers;
        });
        RunUntil([&] { return answer.has_value(); });
        // Later signals must not answer twice.
        RunFor(100);
        EXPECT_LE(answers, 1);
        return answer;
    }

    GtkWidget* m_window = nullptr;
    LoadSink m_sink;
    std::unique_ptr<WebKitEngine> m_engine;
};

TEST_F(WebKitPageCommandsTest, FindNextWalksFramesIgnoringCaseThenStartsOver) {
    ASSERT_TRUE(Load("/find.html"));
    // The page's two matches and the frame's one, in document order, then
    // the end of the page; from the top again it is the first one.
    EXPECT_EQ(Find("apple", true), std::optional<bool>(true));
    EXPECT_EQ(EvalString(View(), "getSelection().anchorNode.parentNode.id"), "one");
    EXPECT_EQ(EvalString(View(), "getSelection().toString()"), "APPLE");
    EXPECT_EQ(Find("apple", false), std::optional<bool>(true));
    EXPECT_EQ(Find("apple", false), std::optional<bool>(true));
    EXPECT_EQ(Find("apple", false), std::optional<bool>(false));
    EXPECT_EQ(Find("apple", true), std::optional<bool>(true));
    EXPECT_EQ(EvalString(View(), "getSelection().anchorNode.parentNode.id"), "one");
    EXPECT_EQ(Find("no such words", true), std::optional<bool>(false));
    EXPECT_EQ(Find("", true), std::optional<bool>(false));
}

TEST_F(WebKitPageCommandsTest, FindWindowIsNamedAndTellsWhenNothingMatches) {
    ASSERT_TRUE(Load("/find.html"));
    EXPECT_EQ(Find("apple", true), std::optional<bool>(true));
    m_engine->ExecCommand(PageCommand::Find);
    WebKitPageFind& find = m_engine->Finder();
    GtkWidget* window = find.Window();
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(gtk_widget_get_visible(window));
    EXPECT_EQ(gtk_window_get_transient_for(GTK_WINDOW(window)), GTK_WINDOW(m_window));
    // The window offers the last text; its entry carries an accessible name.
    GtkWidget* entry = gtk_window_get_focus(GTK_WINDOW(window));
    ASSERT_TRUE(entry && GTK_IS_ENTRY(entry));
    EXPECT_STREQ(gtk_entry_get_text(GTK_ENTRY(entry)), "apple");
    EXPECT_EQ(atk_object_get_name(gtk_widget_get_accessible(entry)), U8(u8"検索する文字列"));

    // Typing searches; a text that is nowhere says so in the window.
    gtk_entry_set_text(GTK_ENTRY(entry), "zzzq");
    const std::string notFound = U8(u8"指定した文字列は見つかりませんでした");
    EXPECT_TRUE(RunUntil([&] { return LabelTexts(window).find(notFound) != std::string::npos; }));
    gtk_entry_set_text(GTK_ENTRY(entry), "two");
    EXPECT_TRUE(RunUntil([&] { return LabelTexts(window).find(notFound) == std::string::npos; }));
    ASSERT_TRUE(RunUntil([&] { return EvalString(View(), "getSelection().toString()") == "two"; }));

    // Closing keeps the window for the next time; the tab takes it along.
    gtk_dialog_response(GTK_DIALOG(window), GTK_RESPONSE_CLOSE);
    EXPECT_FALSE(gtk_widget_get_visible(window));
    m_engine->ExecCommand(PageCommand::Find);
    EXPECT_EQ(find.Window(), window);
    EXPECT_TRUE(gtk_widget_get_visible(window));
}

TEST_F(WebKitPageCommandsTest, SelectedTextComesFromThePageOrAFrameAsShiftJis) {
    ASSERT_TRUE(Load("/select.html"));
    auto selected = [&] {
        std::optional<std::string> text;
        m_engine->SelectedText([&](std::string t) { text = std::move(t); });
        RunUntil([&] { return text.has_value(); });
        return text;
    };
    EXPECT_EQ(selected(), std::optional<std::string>(""));
    EvalString(View(), "getSelection().selectAllChildren(document.getElementById('p')); 1");
    EXPECT_EQ(selected(), std::optional<std::string>("http://127.0.0.1/ソース"));
    // Nothing selected in the page itself: a same-site frame's selection counts.
    EvalString(View(),
               "getSelection().removeAllRanges(); var d = document.getElementById('f').contentDocument;"
               "d.defaultView.getSelection().selectAllChildren(d.body); 1");
    EXPECT_EQ(selected(), std::optional<std::string>("apple in a frame"));
    // A page that replaces getSelection cannot answer for us.
    EvalString(View(), "window.getSelection = function () { return 'forged'; }; 1");
    EXPECT_EQ(selected(), std::optional<std::string>("apple in a frame"));
}

TEST_F(WebKitPageCommandsTest, PropertiesComeFromTheMainResponse) {
    ASSERT_TRUE(Load("/props.html"));
    ASSERT_TRUE(HasTitle());
    std::optional<PageProperties> got;
    GCancellable* cancellable = g_cancellable_new();
    GatherPageProperties(View(), cancellable, [&](const PageProperties& p) { got = p; });
    ASSERT_TRUE(RunUntil([&] { return got.has_value(); }));
    // The snowman has no Shift-JIS form.
    EXPECT_EQ(got->title, "性質 ?");
    EXPECT_EQ(got->address, Url("/props.html"));
    EXPECT_EQ(got->mimeType, "text/html");
    EXPECT_EQ(got->size, static_cast<long long>(kPropsPage.size()));
    EXPECT_EQ(got->statusCode, 200u);
    EXPECT_EQ(got->lastModified, "Wed, 21 Oct 2015 07:28:00 GMT");
    EXPECT_EQ(got->date, "Thu, 01 Feb 2024 00:00:05 GMT");
    EXPECT_EQ(got->security, PageProperties::Security::None);

    // A missing page is still a page, with its status.
    got.reset();
    ASSERT_TRUE(Load("/missing"));
    GatherPageProperties(View(), cancellable, [&](const PageProperties& p) { got = p; });
    ASSERT_TRUE(RunUntil([&] { return got.has_value(); }));
    EXPECT_EQ(got->statusCode, 404u);
    EXPECT_EQ(got->title, Url("/missing"));
    EXPECT_EQ(got->lastModified, "");

    // A cancelled gathering never answers.
    bool answered = false;
    GatherPageProperties(View(), cancellable, [&](const PageProperties&) { answered = true; });
    g_cancellable_cancel(cancellable);
    RunFor(300);
    EXPECT_FALSE(answered);
    g_object_unref(cancellable);

    EXPECT_EQ(FormatByteSize(1234567), "1,234,567 バイト");
    EXPECT_EQ(FormatByteSize(999), "999 バイト");
    EXPECT_EQ(FormatByteSize(-1), "不明");
    const gchar* oldTz = g_getenv("TZ");
    std::string savedTz = oldTz ? oldTz : "";
    g_setenv("TZ", "UTC", TRUE);
    EXPECT_EQ(FormatHttpDate("Wed, 21 Oct 2015 07:28:00 GMT"), "2015/10/21 07:28:00");
    if (oldTz) g_setenv("TZ", savedTz.c_str(), TRUE);
    else g_unsetenv("TZ");
    EXPECT_EQ(FormatHttpDate("not a date"), "not a date");

    // The window shows the status with its phrase.
    PageProperties p;
    p.statusCode = 200;
    GtkWidget* dialog = NewPagePropertiesDialog(GTK_WINDOW(m_window), p);
    const std::string all = LabelTexts(dialog);
    EXPECT_NE(all.find("200 OK|"), std::string::npos) << all;
    EXPECT_NE(all.find(U8(u8"暗号化されていません|")), std::string::npos) << all;
    gtk_widget_destroy(dialog);
}

TEST_F(WebKitPageCommandsTest, CommentsBecomeVisibleInThePageAndItsFrames) {
    ASSERT_TRUE(Load("/comments.html"));
    ASSERT_TRUE(
        RunUntil([&] { return EvalString(View(), "String(frames[0].document.readyState)") == "complete"; }));
    std::optional<int> count;
    ShowPageComments(View(), nullptr, [&](int n) { count = n; });
    ASSERT_TRUE(RunUntil([&] { return count.has_value(); }));
    EXPECT_EQ(*count, 5);
    EXPECT_EQ(EvalString(View(), "document.getElementById('p').textContent"), "a<!-- one -->b");
    EXPECT_EQ(EvalString(View(), "String(document.querySelectorAll('span.fern-comment').length)"), "4");
    EXPECT_EQ(EvalString(View(), "document.body.firstChild.textContent"), "<!-- before --><!-- in head -->");
    EXPECT_EQ(EvalString(View(), "frames[0].document.body.innerText.trim()"), "<!-- three -->");
    // Shown once; a second run finds nothing left.
    count.reset();
    ShowPageComments(View(), nullptr, [&](int n) { count = n; });
    ASSERT_TRUE(RunUntil([&] { return count.has_value(); }));
    EXPECT_EQ(*count, 0);
}

TEST_F(WebKitPageCommandsTest, HistoryTitlesNearestFirst) {
    EXPECT_TRUE(m_engine->BackList(5).empty());
    ASSERT_TRUE(Load("/h1.html"));
    ASSERT_TRUE(Load("/h2.html"));
    ASSERT_TRUE(Load("/h3.html"));
    EXPECT_EQ(m_engine->BackList(5), (std::vector<std::string>{"Th2", "Th1"}));
    EXPECT_EQ(m_engine->BackList(1), (std::vector<std::string>{"Th2"}));
    EXPECT_TRUE(m_engine->ForwardList(5).empty());
    for (const char* page : {"/h2.html", "/h1.html"}) {
        m_engine->GoBack();
        ASSERT_TRUE(RunUntil([&] { return m_sink.complete.back() == Url(page); }));
    }
    EXPECT_EQ(m_engine->ForwardList(5), (std::vector<std::string>{"Th2", "Th3"}));
}

TEST_F(WebKitPageCommandsTest, ShortcutFilesAreNamedSafelyAndNeverReplaceOthers) {
    const std::string folder = MakeTempDir("fern-desk-XXXXXX");
    // "ソ" ends in the byte of "\", which is no separator inside the character.
    EXPECT_EQ(ShortcutFileName("ソフト: a/b\\c*?\"<>|\x01"), "ソフト_ a_b_c_______");
    EXPECT_EQ(ShortcutFileName("..hidden. "), "hidden");
    EXPECT_EQ(ShortcutFileName(" . "), "ショートカット");
    EXPECT_LE(ShortcutFileName(std::string(300, 'x')).size(), 200u);

    const std::string title = U8(u8"ソフト\n一覧 ") + kSnowman;
    ShortcutResult first = WriteDesktopShortcut(folder, title, "http://h/a b?x=\\1");
    ASSERT_TRUE(first.ok) << first.error;
    EXPECT_EQ(first.path, folder + "/" + U8(u8"ソフト_一覧 _.desktop"));
    EXPECT_EQ(
        ReadWholeFile(first.path),
        std::optional<std::string>("[Desktop Entry]\nVersion=1.0\nType=Link\nName=" + U8(u8"ソフト\\n一覧 ") +
                                   kSnowman + "\nURL=http://h/a b?x=\\\\1\nIcon=text-html\n"));
    ShortcutResult second = WriteDesktopShortcut(folder, title, "http://h/other");
    ASSERT_TRUE(second.ok);
    EXPECT_EQ(second.path, folder + "/" + U8(u8"ソフト_一覧 _ (2).desktop"));
    EXPECT_NE(ReadWholeFile(first.path)->find("a b"), std::string::npos);

    // A desktop that is not a folder: the failure is reported, not hidden.
    const std::string notFolder = folder + "/plain";
    ASSERT_TRUE(g_file_set_contents(notFolder.c_str(), "x", 1, nullptr));
    ShortcutResult failed = WriteDesktopShortcut(notFolder, "t", "http://h/");
    EXPECT_FALSE(failed.ok);
    EXPECT_FALSE(failed.error.empty());
    RemoveTree(folder);

    // The page command writes to the desktop the user's folders name,
    // making it when it is missing.
    const std::string config = g_get_user_config_dir();
    const std::string desktop = std::string(g_get_home_dir()) + "/" + U8(u8"デスクトップ");
    ASSERT_TRUE(g_file_set_contents((config + "/user-dirs.dirs").c_str(),
                                    ("XDG_DESKTOP_DIR=\"$HOME/" + U8(u8"デスクトップ") + "\"\n").c_str(), -1,
                                    nullptr));
    g_reload_user_special_dirs_cache();
    EXPECT_EQ(DesktopFolder(), desktop);
    RemoveTree(desktop);
    ASSERT_TRUE(Load("/props.html"));
    ASSERT_TRUE(HasTitle());
    m_engine->ExecCommand(PageCommand::CreateShortcut);
    auto written = ReadWholeFile(desktop + "/" + U8(u8"性質 _.desktop"));
    ASSERT_TRUE(written);
    EXPECT_NE(written->find("\nName=" + U8(u8"性質 ") + kSnowman + "\nURL=" + Url("/props.html") + "\n"),
              std::string::npos)
        << *written;
    RemoveTree(desktop);
    g_remove((config + "/user-dirs.dirs").c_str());
    g_reload_user_special_dirs_cache();
}

TEST_F(WebKitPageCommandsTest, PrintPreviewOpensThePdfInAWindowOfItsOwn) {
    ASSERT_TRUE(Load("/find.html"));
    ASSERT_TRUE(HasTitle());
    std::optional<std::string> folder = PrivateTempFolder();
    ASSERT_TRUE(folder);
    struct stat info {};
    ASSERT_EQ(lstat(folder->c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0700u);

    GtkWidget* window = nullptr;
    ShowPrintPreview(*s_context, View(), [&](GtkWidget* w) { window = w; });
    ASSERT_TRUE(RunUntil([&] { return window != nullptr; }, 30000));
    EXPECT_EQ(std::string(gtk_window_get_title(GTK_WINDOW(window))), U8(u8"印刷プレビュー - Find"));
    auto* preview = WEBKIT_WEB_VIEW(gtk_bin_get_child(GTK_BIN(window)));
    EXPECT_TRUE(RunUntil([&] { return !webkit_web_view_is_loading(preview); }));
    // The temporary document is gone once it is shown.
    GDir* files = g_dir_open(folder->c_str(), 0, nullptr);
    ASSERT_NE(files, nullptr);
    int previews = 0;
    while (const gchar* name = g_dir_read_name(files)) previews += g_str_has_prefix(name, "preview-");
    g_dir_close(files);
    EXPECT_EQ(previews, 0);
    // The tab going away leaves the preview window whole.
    m_engine.reset();
    RunFor(200);
    EXPECT_TRUE(gtk_widget_get_visible(window));
    gtk_widget_destroy(window);
}

}  // namespace
