// Cookies and helper objects on real web contexts: the accept policy and the
// session-only jar reach the engine, deleting all cookies empties the jar,
// and web-process extensions load only from a context told to load them.
#include <gtest/gtest.h>

#include <optional>

#include "gui/WebKitSuite.h"
#include "platform/fs/FileIo.h"
#include "privacy/gtk/WebKitCookieEngine.h"

using namespace fern;
using namespace fern::test;

namespace {

// A window with one view of `context`; loads and asks the page's globals.
class Page {
public:
    explicit Page(WebKitContext& context) {
        m_window = gtk_window_new(GTK_WINDOW_TOPLEVEL);
        m_view =
            WEBKIT_WEB_VIEW(g_object_new(WEBKIT_TYPE_WEB_VIEW, "web-context", context.Context(), nullptr));
        g_signal_connect(m_view, "load-changed",
                         G_CALLBACK(+[](WebKitWebView*, WebKitLoadEvent event, gpointer data) {
                             if (event == WEBKIT_LOAD_FINISHED) ++*static_cast<int*>(data);
                         }),
                         &m_finished);
        gtk_container_add(GTK_CONTAINER(m_window), GTK_WIDGET(m_view));
        gtk_widget_show_all(m_window);
    }
    ~Page() { gtk_widget_destroy(m_window); }

    bool Load(const std::string& url) {
        int before = m_finished;
        webkit_web_view_load_uri(m_view, url.c_str());
        return RunUntil([&] { return m_finished > before; }, 15000);
    }

    std::string Eval(const char* script) { return WebKitSuite::EvalString(m_view, script); }

private:
    GtkWidget* m_window = nullptr;
    WebKitWebView* m_view = nullptr;
    int m_finished = 0;
};

class PrivacyEngineTest : public WebKitSuite {
protected:
    static void SetUpTestSuite() {
        StartSuite("fern-privacy-XXXXXX");
        s_server->Serve("/cookie.html",
                        "<html><head><title>c</title><script>document.cookie='fern=1; max-age=3600; path=/';"
                        "</script></head><body>cookie</body></html>");
        s_server->Serve("/plain.html", "<html><head><title>p</title></head><body>plain</body></html>");
    }
    static void TearDownTestSuite() { StopSuite(); }
    void SetUp() override { ASSERT_NE(s_server->Port(), 0); }

    // The cookies the jar holds for the server, as the engine reports them.
    static int CookieCount() {
        struct Answer {
            bool done = false;
            int count = -1;
        } answer;
        WebKitCookieManager* cookies =
            webkit_website_data_manager_get_cookie_manager(s_context->DataManager());
        webkit_cookie_manager_get_cookies(
            cookies, s_server->Url("/").c_str(), nullptr,
            [](GObject* object, GAsyncResult* result, gpointer data) {
                auto* a = static_cast<Answer*>(data);
                GList* list =
                    webkit_cookie_manager_get_cookies_finish(WEBKIT_COOKIE_MANAGER(object), result, nullptr);
                a->count = static_cast<int>(g_list_length(list));
                g_list_free_full(list, reinterpret_cast<GDestroyNotify>(soup_cookie_free));
                a->done = true;
            },
            &answer);
        RunUntil([&] { return answer.done; });
        return answer.count;
    }

    // The jar is written after the page has loaded: wait a little for it.
    static bool HasCookies(int n) {
        return RunUntil([n] { return CookieCount() == n; }, 3000);
    }

    static bool Clear(WebKitCookieEngine& engine) {
        std::optional<bool> ok;
        engine.ClearAllCookies([&](bool result) { ok = result; });
        RunUntil([&] { return ok.has_value(); });
        return ok.value_or(false);
    }
};

TEST_F(PrivacyEngineTest, CookiesFollowThePolicyAndDeleteAllEmptiesTheJar) {
    WebKitCookieEngine engine(*s_context);
    Page page(*s_context);

    engine.ApplyCookiePolicy({CookieAccept::Never, true});
    ASSERT_TRUE(page.Load(s_server->Url("/cookie.html")));
    EXPECT_EQ(page.Eval("document.cookie"), "");
    EXPECT_EQ(CookieCount(), 0);

    engine.ApplyCookiePolicy({CookieAccept::NoThirdParty, true});
    ASSERT_TRUE(page.Load(s_server->Url("/cookie.html")));
    EXPECT_EQ(page.Eval("document.cookie"), "fern=1");
    EXPECT_TRUE(HasCookies(1));

    EXPECT_TRUE(Clear(engine));
    EXPECT_EQ(CookieCount(), 0);
    ASSERT_TRUE(page.Load(s_server->Url("/plain.html")));
    EXPECT_EQ(page.Eval("document.cookie"), "");

    // Session only: a separate jar, so the lasting one never sees the cookie.
    engine.ApplyCookiePolicy({CookieAccept::NoThirdParty, false});
    ASSERT_TRUE(page.Load(s_server->Url("/cookie.html")));
    EXPECT_TRUE(HasCookies(1));
    engine.ApplyCookiePolicy({CookieAccept::NoThirdParty, true});
    EXPECT_EQ(CookieCount(), 0);
    engine.ApplyCookiePolicy({CookieAccept::NoThirdParty, false});
    EXPECT_TRUE(HasCookies(1));
    // The next start empties the session jar.
    WebKitCookieEngine restarted(*s_context);
    gchar* jar = g_build_filename(s_context->DataDirectory().c_str(), "session-cookies.sqlite", nullptr);
    EXPECT_FALSE(g_file_test(jar, G_FILE_TEST_EXISTS));
    g_free(jar);
}

TEST_F(PrivacyEngineTest, HelperObjectsLoadOnlyWhenAsked) {
    const std::string folder = MakeTempDir("fern-helpers-XXXXXX") + "/extensions";
    g_mkdir_with_parents(folder.c_str(), 0700);
    std::optional<std::string> module = ReadWholeFile(FERN_TEST_WEB_EXTENSION);
    ASSERT_TRUE(module && WriteFileAtomic(folder + "/libmark.so", *module));
    // Names that load nothing are passed over.
    g_file_set_contents((folder + "/broken.so").c_str(), "not a module", -1, nullptr);
    g_file_set_contents((folder + "/readme.txt").c_str(), "text", -1, nullptr);

    {
        WebKitContext with(FromUtf8(folder + "/../with"));
        with.LoadWebExtensionsFrom(FromUtf8(folder));
        Page page(with);
        ASSERT_TRUE(page.Load(s_server->Url("/plain.html")));
        EXPECT_EQ(page.Eval("typeof fernHelperObject == 'undefined' ? 'none' : fernHelperObject"), "seen");
    }
    {
        WebKitContext without(FromUtf8(folder + "/../without"));
        Page page(without);
        ASSERT_TRUE(page.Load(s_server->Url("/plain.html")));
        EXPECT_EQ(page.Eval("typeof fernHelperObject == 'undefined' ? 'none' : fernHelperObject"), "none");
    }
    RemoveTree(folder + "/..");
}

}  // namespace
