// The WebKit control of a tab against pages from a local server: the events
// a load produces and their order, which navigations reach BeforeNavigate2
// and what cancelling does, new windows in related views, and the per-tab
// content switches.
#include <signal.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <deque>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <sstream>
#include <vector>

#include "gui/WebKitSuite.h"
#include "platform/gtk/SiteKey.h"
#include "platform/gtk/WebKitEngine.h"
#include "platform/gtk/WebKitEngineFactory.h"
#include "platform/gtk/WebKitNavigationRules.h"
#include "platform/gtk/WebKitOfflineFilter.h"
#include "platform/gtk/WebKitPageDialogs.h"
#include "platform/gtk/WebKitSadPage.h"
#include "platform/gtk/WebKitViewSource.h"

using namespace fern;
using namespace fern::test;

namespace {

// Records the events as lines of text (Shift-JIS, as the logic gets them).
struct RecordingSink : BrowserEvents {
    std::vector<std::string> events;
    std::function<bool(const std::string&)> cancelIf;
    std::function<IBrowserEngine*(bool& cancel)> newWindow;
    long lastProgress = 0;
    std::string lastPostData;
    bool handleMessages = false;

    bool Has(const std::string& line) const { return Count(line) > 0; }
    int Count(const std::string& line) const {
        int n = 0;
        for (const auto& e : events) n += e == line;
        return n;
    }
    // The events from index `from` on that start with one of `kinds`, less
    // `cut` bytes of their start.
    std::vector<std::string> Select(std::size_t from, std::initializer_list<const char*> kinds,
                                    std::size_t cut = 0) const {
        std::vector<std::string> out;
        for (std::size_t i = from; i < events.size(); ++i)
            for (const char* kind : kinds)
                if (events[i].rfind(kind, 0) == 0) out.push_back(events[i].substr(cut));
        return out;
    }
    // The load events, titles left out (a title may come before or after the
    // end of its load).
    std::vector<std::string> Loads(std::size_t from = 0) const {
        return Select(from, {"BeforeNavigate2 ", "DownloadBegin", "NavigateComplete2 ", "DownloadComplete",
                             "DocumentComplete "});
    }
    std::vector<std::string> Titles(std::size_t from = 0) const { return Select(from, {"TitleChange "}, 12); }
    int CountPrefix(const std::string& prefix) const {
        return static_cast<int>(Select(0, {prefix.c_str()}).size());
    }

    void StatusTextChange(const std::string& text) override { events.push_back("StatusTextChange " + text); }
    void ProgressChange(long progress, long) override { lastProgress = progress; }
    void CommandStateChange(long command, bool enable) override {
        events.push_back("CommandStateChange " + std::to_string(command) + " " + (enable ? "1" : "0"));
    }
    void DownloadBegin() override { events.push_back("DownloadBegin"); }
    void DownloadComplete() override { events.push_back("DownloadComplete"); }
    void TitleChange(const std::string& title) override { events.push_back("TitleChange " + title); }
    void BeforeNavigate2(const std::string& url, long, const std::string&, const std::string& postData,
                         const std::string&, bool& cancel) override {
        events.push_back("BeforeNavigate2 " + url);
        lastPostData = postData;
        if (cancelIf && cancelIf(url)) cancel = true;
    }
    void NewWindow2(IBrowserEngine*& window, bool& cancel) override {
        events.push_back("NewWindow2");
        if (newWindow) window = newWindow(cancel);
        else cancel = true;
    }
    void NavigateComplete2(const std::string& url) override { events.push_back("NavigateComplete2 " + url); }
    void DocumentComplete(const std::string& url, bool top) override {
        events.push_back("DocumentComplete " + url + (top ? " 1" : " 0"));
    }
    void WindowClosing(bool, bool&) override { events.push_back("WindowClosing"); }
    void SetSecureLockIcon(long level) override {
        events.push_back("SetSecureLockIcon " + std::to_string(level));
    }
    void NavigateError(const std::string& url, const std::string&, long code, bool&) override {
        events.push_back("NavigateError " + url + " " + std::to_string(code));
    }
    bool ShowMessage(const std::string& caption, const std::string& message) override {
        events.push_back("ShowMessage " + caption + "|" + message);
        return handleMessages;
    }
    void ScriptError(const std::string& message, const std::string& url, long line) override {
        events.push_back("ScriptError " + message + "|" + url + "|" + std::to_string(line));
    }
};

// The events as one text, for failure messages.
std::string Dump(const RecordingSink& sink) {
    std::string text;
    for (const auto& e : sink.events) text += "\n  " + ToUtf8(e);
    return text;
}

std::string Page(const std::string& title, const std::string& body) {
    return "<html><head><title>" + title + "</title></head><body>" + body + "</body></html>";
}

// The load events of one whole load of `url`, in their order.
std::vector<std::string> WholeLoad(const std::string& url) {
    return {"BeforeNavigate2 " + url, "DownloadBegin", "NavigateComplete2 " + url, "DownloadComplete",
            "DocumentComplete " + url + " 1"};
}

class WebKitEngineTest : public WebKitViewsSuite {
protected:
    static void SetUpTestSuite() {
        StartSuite("fern-webkit-XXXXXX");
        LocalHttpServer& s = *s_server;
        // The title is Shift-JIS in this file's literals and in the page.
        s.Serve("/a.html",
                Page("ページA",
                     "<a id='b' href='/b.html'>b</a> <a id='blocked' href='/blocked.html'>x</a>"
                     " <a id='pop' target='_blank' href='/b.html'>pop</a> <a id='frag' href='#part'>f</a>"
                     "<iframe src='/frame.html'></iframe><p id='part'>p</p>"),
                "text/html; charset=Shift_JIS");
        s.Serve("/frame.html", "<html><body><script>location.replace('/frame2.html')</script></body></html>");
        s.Serve("/frame2.html", "<html><body><a id='in' href='/frame3.html'>in</a></body></html>");
        s.Serve("/frame3.html", "<html><body>frame three</body></html>");
        s.Serve("/b.html", Page("B", "b"));
        s.Serve("/c.html", Page("C", "c"));
        s.Serve("/ended.html", Page("ページE", "e"), "text/html; charset=Shift_JIS");
        s.Serve("/blocked.html", Page("blocked", "x"));
        s.Serve("/blocked2.html", Page("blocked", "x"));
        s.Serve("/notitle.html", "<html><body>no title</body></html>");
        s.Serve("/posted", Page("posted", "thanks"));
        for (const char* tab : {"A", "B"}) {
            std::string t = tab;
            s.Serve(
                "/script" + t + ".html",
                Page("static", "<script>document.title='scripted'</script><img src='/img" + t + ".png'>"));
            s.Serve("/img" + t + ".png", "not really a picture", "image/png");
        }
    }

    static void TearDownTestSuite() { StopSuite(); }

    void SetUp() override {
        ASSERT_NE(s_server->Port(), 0);
        WebKitViewsSuite::SetUp();
    }

    void TearDown() override {
        m_engines.clear();
        WebKitViewsSuite::TearDown();
    }

    // A control made by the factory, shown in the test window, reporting to
    // a sink of its own.
    std::pair<WebKitEngine*, RecordingSink*> NewEngine(IBrowserEngine* relatedTo = nullptr) {
        return Show(m_factory->Create(relatedTo));
    }

    std::pair<WebKitEngine*, RecordingSink*> Show(std::unique_ptr<IBrowserEngine> made) {
        auto* engine = dynamic_cast<WebKitEngine*>(made.get());
        if (!engine) return {nullptr, nullptr};
        RecordingSink* sink = &m_sinks.emplace_back();
        engine->SetEventSink(sink);
        gtk_box_pack_start(GTK_BOX(m_box), engine->Widget(), TRUE, TRUE, 0);
        gtk_widget_show(engine->Widget());
        m_engines.push_back(std::move(made));
        return {engine, sink};
    }

    ::testing::AssertionResult LoadAndWait(WebKitEngine* engine, RecordingSink& sink,
                                           const std::string& path) {
        engine->Navigate2(Url(path), 0, "", "", "");
        if (RunUntil([&] { return sink.Has("DocumentComplete " + Url(path) + " 1"); }))
            return ::testing::AssertionSuccess();
        return ::testing::AssertionFailure() << path << " did not load; events:" << Dump(sink);
    }

    std::deque<RecordingSink> m_sinks;
    std::vector<std::unique_ptr<IBrowserEngine>> m_engines;
};

TEST_F(WebKitEngineTest, LoadReportsEventsInOrderWithTitleAndHeaders) {
    auto [engine, sink] = NewEngine();
    ASSERT_NE(engine, nullptr);
    const std::string a = Url("/a.html");
    engine->Navigate2(a, 0, "", "", "X-Fern-Test: yes\r\n");
    ASSERT_TRUE(RunUntil([&] {
        return sink->Has("DocumentComplete " + a + " 1") && !sink->Titles().empty() &&
               s_server->CountRequests("/frame2.html") > 0;
    }));
    // The iframe and its own script navigation are not the tab's navigations.
    EXPECT_EQ(sink->Loads(), WholeLoad(a));
    EXPECT_EQ(sink->Titles(), std::vector<std::string>{"ページA"});
    EXPECT_TRUE(sink->Has("SetSecureLockIcon 0"));
    EXPECT_EQ(sink->lastProgress, -1);
    EXPECT_EQ(engine->LocationURL(), a);
    EXPECT_EQ(engine->LocationName(), "ページA");
    EXPECT_FALSE(engine->Busy());
    ASSERT_FALSE(s_server->Requests("/a.html").empty());
    EXPECT_EQ(s_server->Requests("/a.html").back().headers["x-fern-test"], "yes");

    // A page without a title is named by its address.
    std::size_t mark = sink->events.size();
    ASSERT_TRUE(LoadAndWait(engine, *sink, "/notitle.html"));
    ASSERT_TRUE(RunUntil([&] { return !sink->Titles(mark).empty(); }));
    EXPECT_EQ(sink->Titles(mark), std::vector<std::string>{Url("/notitle.html")});
    EXPECT_EQ(engine->LocationName(), Url("/notitle.html"));

    // A missing page is an error with its HTTP status, and still a whole load.
    ASSERT_TRUE(LoadAndWait(engine, *sink, "/missing.html"));
    EXPECT_TRUE(sink->Has("NavigateError " + Url("/missing.html") + " 404"));
}

TEST_F(WebKitEngineTest, OnlyMainFrameNavigationsReachBeforeNavigate2) {
    auto [engine, sink] = NewEngine();
    const std::string a = Url("/a.html"), b = Url("/b.html"), c = Url("/c.html");
    ASSERT_TRUE(LoadAndWait(engine, *sink, "/a.html"));
    ASSERT_TRUE(RunUntil([&] { return s_server->CountRequests("/frame2.html") > 0; }));
    RunUntil([&] { return EvalString(engine->View(), "frames[0].location.pathname") == "/frame2.html"; });

    // A link clicked inside the iframe navigates the iframe only.
    RunJs(engine->View(), "frames[0].document.getElementById('in').click()");
    ASSERT_TRUE(RunUntil([&] { return s_server->CountRequests("/frame3.html") > 0; }));
    EXPECT_EQ(sink->CountPrefix("BeforeNavigate2 "), 1);

    // An anchor in the page: reported, with the new address, and no load.
    std::size_t mark = sink->events.size();
    RunJs(engine->View(), "document.getElementById('frag').click()");
    ASSERT_TRUE(RunUntil([&] { return sink->Has("NavigateComplete2 " + a + "#part"); }));
    EXPECT_TRUE(sink->Has("BeforeNavigate2 " + a + "#part"));
    EXPECT_EQ(engine->LocationURL(), a + "#part");

    // A link clicked in the page, then the page's script navigating itself:
    // each is one whole load, announced before it starts.
    mark = sink->events.size();
    RunJs(engine->View(), "document.getElementById('b').click()");
    ASSERT_TRUE(RunUntil([&] { return sink->Has("DocumentComplete " + b + " 1"); }));
    EXPECT_EQ(sink->Loads(mark), WholeLoad(b));
    EXPECT_TRUE(sink->Has("CommandStateChange 2 1"));

    mark = sink->events.size();
    RunJs(engine->View(), "location.href = '/c.html'");
    ASSERT_TRUE(RunUntil([&] { return sink->Has("DocumentComplete " + c + " 1"); }));
    EXPECT_EQ(sink->Loads(mark), WholeLoad(c));

    // Back: announced with the address it goes to; forward becomes possible.
    mark = sink->events.size();
    engine->GoBack();
    ASSERT_TRUE(RunUntil([&] { return sink->Loads(mark).size() >= 5; }));
    EXPECT_EQ(sink->Loads(mark).front(), "BeforeNavigate2 " + b);
    EXPECT_EQ(engine->LocationURL(), b);
    EXPECT_TRUE(sink->Has("CommandStateChange 1 1"));

    // A reload is no new navigation.
    mark = sink->events.size();
    engine->Refresh2(3);
    ASSERT_TRUE(RunUntil([&] { return sink->Loads(mark).size() >= 4; }));
    EXPECT_EQ(sink->Loads(mark).front(), "DownloadBegin");
}

TEST_F(WebKitEngineTest, CancellingBeforeNavigate2StopsTheLoad) {
    auto [engine, sink] = NewEngine();
    sink->cancelIf = [](const std::string& url) { return url.find("blocked") != std::string::npos; };
    const std::string a = Url("/a.html");
    ASSERT_TRUE(LoadAndWait(engine, *sink, "/a.html"));

    // Our own navigation: refused before anything is asked of the network.
    std::size_t mark = sink->events.size();
    engine->Navigate2(Url("/blocked.html"), 0, "", "", "");
    EXPECT_EQ(sink->Loads(mark), std::vector<std::string>{"BeforeNavigate2 " + Url("/blocked.html")});
    EXPECT_FALSE(engine->Busy());

    // A link in the page: refused at the policy decision.
    RunJs(engine->View(), "document.getElementById('blocked').click()");
    ASSERT_TRUE(RunUntil([&] { return sink->Count("BeforeNavigate2 " + Url("/blocked.html")) == 2; }));
    ASSERT_TRUE(LoadAndWait(engine, *sink, "/b.html"));
    EXPECT_EQ(s_server->CountRequests("/blocked.html"), 0);

    // The page's script: refused when its load starts, and stopped there.
    mark = sink->events.size();
    RunJs(engine->View(), "location.href = '/blocked2.html'");
    ASSERT_TRUE(RunUntil([&] { return sink->Has("BeforeNavigate2 " + Url("/blocked2.html")); }));
    ASSERT_TRUE(RunUntil([&] { return !engine->Busy(); }));
    RunFor(200);
    EXPECT_EQ(sink->Loads(mark), std::vector<std::string>{"BeforeNavigate2 " + Url("/blocked2.html")});
    EXPECT_EQ(engine->LocationURL(), Url("/b.html"));
    EXPECT_EQ(sink->Count("DownloadBegin"), sink->Count("DownloadComplete"));

    // The tab still works afterwards.
    ASSERT_TRUE(LoadAndWait(engine, *sink, "/c.html"));
    EXPECT_TRUE(RunUntil([&] { return engine->LocationName() == "C"; }));

    // Stop is no error; a refused connection is, with the control's number.
    mark = sink->events.size();
    engine->Navigate2(Url("/b.html"), 0, "", "", "");
    engine->Stop();
    ASSERT_TRUE(RunUntil([&] { return !engine->Busy(); }));
    GSocketListener* listener = g_socket_listener_new();
    guint16 port = g_socket_listener_add_any_inet_port(listener, nullptr, nullptr);
    g_socket_listener_close(listener);
    g_object_unref(listener);
    const std::string refused = "http://127.0.0.1:" + std::to_string(port) + "/";
    engine->Navigate2(refused, 0, "", "", "");
    ASSERT_TRUE(RunUntil([&] { return sink->CountPrefix("NavigateError ") > 0; })) << Dump(*sink);
    EXPECT_EQ(sink->CountPrefix("NavigateError "), 1);
    EXPECT_TRUE(
        sink->Has("NavigateError " + refused + " " + std::to_string(static_cast<std::int32_t>(0x800C0005u))));
}

TEST_F(WebKitEngineTest, NewWindowsOpenInRelatedControls) {
    s_context->SetUserAgent("FernTest/2.0");
    auto [engine, sink] = NewEngine();
    s_context->SetUserAgent("");
    std::vector<std::pair<WebKitEngine*, RecordingSink*>> children;
    bool refuse = false, unrelated = false;
    sink->newWindow = [&](bool& cancel) -> IBrowserEngine* {
        if (refuse) {
            cancel = true;
            return nullptr;
        }
        children.push_back(NewEngine(unrelated ? nullptr : engine));
        return children.back().first;
    };
    engine->OnDownloadControlChanged(0x60);  // images off, to see the copy
    ASSERT_TRUE(LoadAndWait(engine, *sink, "/a.html"));

    // A target=_blank link: the page shows in the new tab's control.
    RunJs(engine->View(), "document.getElementById('pop').click()");
    ASSERT_TRUE(RunUntil([&] {
        return children.size() == 1 && children[0].second->Has("DocumentComplete " + Url("/b.html") + " 1");
    }));
    WebKitEngine* child = children[0].first;
    EXPECT_EQ(children[0].second->Loads().front(), "BeforeNavigate2 " + Url("/b.html"));
    ASSERT_TRUE(RunUntil([&] { return child->LocationName() == "B"; }));
    EXPECT_EQ(engine->LocationURL(), Url("/a.html"));
    // Its own settings object, copied from the opener's.
    EXPECT_NE(child->Settings(), engine->Settings());
    EXPECT_EQ(webkit_web_view_get_settings(child->View()), child->Settings());
    EXPECT_FALSE(webkit_settings_get_auto_load_images(child->Settings()));
    EXPECT_TRUE(webkit_settings_get_javascript_can_open_windows_automatically(child->Settings()));
    EXPECT_STREQ(webkit_settings_get_user_agent(child->Settings()), "FernTest/2.0");
    child->OnDownloadControlChanged(0x70);
    EXPECT_TRUE(webkit_settings_get_auto_load_images(child->Settings()));
    EXPECT_FALSE(webkit_settings_get_auto_load_images(engine->Settings()));

    // window.open with an address, then without one (about:blank).
    RunJs(engine->View(), "window.open('/c.html')");
    ASSERT_TRUE(RunUntil([&] {
        return children.size() == 2 && children[1].second->Has("DocumentComplete " + Url("/c.html") + " 1");
    }));
    RunJs(engine->View(), "window.open()");
    ASSERT_TRUE(RunUntil(
        [&] { return children.size() == 3 && children[2].second->Has("DocumentComplete about:blank 1"); }));
    EXPECT_EQ(children[2].second->Loads().front(), "BeforeNavigate2 about:blank");

    // Refused, or answered with an unrelated control: no window, no crash.
    refuse = true;
    EXPECT_EQ(EvalString(engine->View(), "String(window.open('/b.html'))"), "null");
    refuse = false;
    unrelated = true;
    EXPECT_EQ(EvalString(engine->View(), "String(window.open('/b.html'))"), "null");
    EXPECT_EQ(sink->Count("NewWindow2"), 5);

    // window.close() in a page a script opened asks the tab to go.
    RunJs(children[1].first->View(), "window.close()");
    EXPECT_TRUE(RunUntil([&] { return children[1].second->Has("WindowClosing"); }));
}

TEST_F(WebKitEngineTest, DownloadControlFlagsSwitchTheTabsOwnSettings) {
    auto [a, sinkA] = NewEngine();
    auto [b, sinkB] = NewEngine();
    ASSERT_NE(a->Settings(), b->Settings());

    a->OnDownloadControlChanged(0x20 | 0x80);  // videos on; images, sounds, scripts off
    EXPECT_FALSE(webkit_settings_get_auto_load_images(a->Settings()));
    EXPECT_TRUE(webkit_settings_get_enable_media(a->Settings()));
    EXPECT_FALSE(webkit_settings_get_enable_webaudio(a->Settings()));
    EXPECT_FALSE(webkit_settings_get_enable_javascript_markup(a->Settings()));
    EXPECT_TRUE(webkit_settings_get_enable_javascript(a->Settings()));
    EXPECT_TRUE(webkit_web_view_get_is_muted(a->View()));
    // The other tab keeps everything on.
    EXPECT_TRUE(webkit_settings_get_auto_load_images(b->Settings()));
    EXPECT_TRUE(webkit_settings_get_enable_javascript_markup(b->Settings()));
    EXPECT_FALSE(webkit_web_view_get_is_muted(b->View()));

    // The pages feel it: no picture fetched and no page script run in A.
    ASSERT_TRUE(LoadAndWait(a, *sinkA, "/scriptA.html"));
    ASSERT_TRUE(LoadAndWait(b, *sinkB, "/scriptB.html"));
    ASSERT_TRUE(RunUntil([&] { return b->LocationName() == "scripted"; }));
    EXPECT_EQ(a->LocationName(), "static");
    EXPECT_EQ(s_server->CountRequests("/imgA.png"), 0);
    EXPECT_EQ(s_server->CountRequests("/imgB.png"), 1);

    a->OnDownloadControlChanged(0x70);
    EXPECT_TRUE(webkit_settings_get_auto_load_images(a->Settings()));
    EXPECT_TRUE(webkit_settings_get_enable_webaudio(a->Settings()));
    EXPECT_TRUE(webkit_settings_get_enable_javascript_markup(a->Settings()));
    EXPECT_FALSE(webkit_web_view_get_is_muted(a->View()));
    // Images come at once, without a reload.
    EXPECT_TRUE(RunUntil([&] { return s_server->CountRequests("/imgA.png") == 1; }));

    // Text size: five steps of text-only zoom; nonsense is ignored.
    EXPECT_EQ(a->Zoom(), 2);
    a->SetZoom(4);
    EXPECT_EQ(a->Zoom(), 4);
    EXPECT_DOUBLE_EQ(webkit_web_view_get_zoom_level(a->View()), 1.3);
    a->SetZoom(7);
    EXPECT_EQ(a->Zoom(), 4);
    EXPECT_TRUE(webkit_settings_get_zoom_text_only(a->Settings()));
    EXPECT_DOUBLE_EQ(webkit_web_view_get_zoom_level(b->View()), 1.0);
}

TEST_F(WebKitEngineTest, OfflineBlocksEveryTabUntilOnlineAgain) {
    EXPECT_FALSE(s_context->Offline().FilterReady());  // nothing is compiled before it is needed
    s_context->Offline().Prepare();
    ASSERT_TRUE(RunUntil([] { return s_context->Offline().FilterReady(); }));
    auto [engine, sink] = NewEngine();
    ASSERT_TRUE(LoadAndWait(engine, *sink, "/b.html"));
    s_context->Offline().SetOffline(true);
    auto [late, lateSink] = NewEngine();  // made while offline
    const int before = s_server->CountRequests("/c.html");
    engine->Navigate2(Url("/c.html"), 0, "", "", "");
    late->Navigate2(Url("/c.html"), 0, "", "", "");
    // Each shows the engine's page for a blocked load.
    const std::string shown = "DocumentComplete " + Url("/c.html") + " 1";
    EXPECT_TRUE(RunUntil([&] { return sink->Has(shown) && lateSink->Has(shown); }));
    EXPECT_EQ(sink->CountPrefix("NavigateError " + Url("/c.html")), 1);
    EXPECT_EQ(s_server->CountRequests("/c.html"), before);
    s_context->Offline().SetOffline(false);
    late->Navigate2(Url("/c.html"), 0, "", "", "");
    EXPECT_TRUE(RunUntil([&] { return late->LocationName() == "C"; }));
    EXPECT_EQ(s_server->CountRequests("/c.html"), before + 1);

    // Without a filter (its folder cannot be made) page loads are still refused.
    std::string folder = s_dataDir + "/nofilter";
    g_mkdir_with_parents((folder + "/webkit").c_str(), 0700);
    g_file_set_contents((folder + "/webkit/filters").c_str(), "", 0, nullptr);
    {
        WebKitContext other(FromUtf8(folder));
        WebKitEngineFactory factory(other, "");
        std::unique_ptr<IBrowserEngine> made = factory.Create(nullptr);
        RecordingSink otherSink;
        made->SetEventSink(&otherSink);
        other.Offline().SetOffline(true);
        EXPECT_TRUE(other.Offline().RefusesNavigation("HTTPS://example.com/"));
        EXPECT_FALSE(other.Offline().RefusesNavigation("about:blank"));
        made->Navigate2(Url("/c.html"), 0, "", "", "");
        RunFor(500);
        EXPECT_TRUE(RunUntil([&] { return !made->Busy(); }, 3000));
        EXPECT_EQ(s_server->CountRequests("/c.html"), before + 1);
        made.reset();
    }
}

TEST_F(WebKitEngineTest, PostDataAndPageSource) {
    auto [engine, sink] = NewEngine();
    const std::string posted = Url("/posted");
    engine->Navigate2(posted, 0, "", "a=1+2&b=x%26y", "Content-Type: application/x-www-form-urlencoded\r\n");
    ASSERT_TRUE(RunUntil([&] { return sink->Has("DocumentComplete " + posted + " 1"); }));
    // The helper page that does the posting is not seen.
    EXPECT_EQ(sink->Loads(), WholeLoad(posted));
    EXPECT_EQ(sink->lastPostData, "a=1+2&b=x%26y");
    std::vector<LocalHttpServer::Request> requests = s_server->Requests("/posted");
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(requests[0].method, "POST");
    EXPECT_EQ(requests[0].body, "a=1+2&b=x%26y");
    EXPECT_EQ(requests[0].headers["content-type"], "application/x-www-form-urlencoded");

    // The source of a Shift-JIS page, decoded and escaped, in a window.
    ASSERT_TRUE(LoadAndWait(engine, *sink, "/a.html"));
    const int before = s_server->CountRequests("/a.html");
    engine->ExecCommand(PageCommand::ViewSource);
    const std::string title = "view-source:" + Url("/a.html");
    WebKitWebView* source = nullptr;
    ASSERT_TRUE(RunUntil([&] {
        GList* windows = gtk_window_list_toplevels();
        for (GList* w = windows; w; w = w->next)
            if (gtk_window_get_title(GTK_WINDOW(w->data)) &&
                title == gtk_window_get_title(GTK_WINDOW(w->data)))
                source = WEBKIT_WEB_VIEW(gtk_bin_get_child(GTK_BIN(w->data)));
        g_list_free(windows);
        return source && !webkit_web_view_is_loading(source) && webkit_web_view_get_title(source);
    }));
    std::string text = EvalString(source, "document.body.innerText");
    EXPECT_NE(text.find(U8(u8"<title>ページA</title>")), std::string::npos) << text;
    EXPECT_NE(text.find("<iframe src='/frame.html'>"), std::string::npos);
    EXPECT_EQ(s_server->CountRequests("/a.html"), before);
    gtk_widget_destroy(gtk_widget_get_toplevel(GTK_WIDGET(source)));
}

TEST(WebKitNavigationRules, SubframeSignsHeadersAndPostPages) {
    const std::string top = "http://example.com/dir/page.html#x";
    EXPECT_FALSE(LooksLikeSubframeNavigation("", "", top));
    EXPECT_FALSE(LooksLikeSubframeNavigation("", "http://example.com/dir/page.html", top));
    EXPECT_FALSE(LooksLikeSubframeNavigation("", "http://example.com/", top));
    EXPECT_FALSE(LooksLikeSubframeNavigation("_top", "", top));
    EXPECT_TRUE(LooksLikeSubframeNavigation("", "http://ads.example.net/frame.html", top));
    EXPECT_TRUE(LooksLikeSubframeNavigation("", "http://example.com/dir/menu.html", top));
    EXPECT_TRUE(LooksLikeSubframeNavigation("main", "", top));
    EXPECT_EQ(UriOrigin("https://h.example:8080/a?b"), "https://h.example:8080");
    EXPECT_EQ(UriOrigin("about:blank"), "");

    auto headers = ParseRequestHeaders("X-A: 1\r\nbad line\r\n: empty\r\nReferer:  http://r/ \r\n");
    ASSERT_EQ(headers.size(), 2u);
    EXPECT_EQ(headers[0], (std::pair<std::string, std::string>{"X-A", "1"}));
    EXPECT_EQ(headers[1].second, "http://r/");

    auto page = PostFormPage("http://h/p?q=\"1\"", "a=%3C%22&b&&c=%E3%81%82", "");
    ASSERT_TRUE(page);
    EXPECT_NE(page->find("action=\"http://h/p?q=&quot;1&quot;\""), std::string::npos);
    EXPECT_NE(page->find("name=\"a\" value=\"&lt;&quot;\""), std::string::npos);
    EXPECT_NE(page->find("name=\"b\" value=\"\""), std::string::npos);
    EXPECT_NE(page->find("accept-charset=\"utf-8\""), std::string::npos);
    EXPECT_NE(page->find(U8(u8"value=\"あ\"")), std::string::npos);
    // Shift-JIS fields ("ア" is 83 41) are posted as Shift-JIS; line breaks survive.
    page = PostFormPage("http://h/", "t=%83%41&n=1%0D%0A2", "application/x-www-form-urlencoded; charset=x");
    ASSERT_TRUE(page);
    EXPECT_NE(page->find("accept-charset=\"Shift_JIS\""), std::string::npos);
    EXPECT_NE(page->find(U8(u8"value=\"ア\"")), std::string::npos);
    EXPECT_NE(page->find("value=\"1&#13;&#10;2\""), std::string::npos);
    EXPECT_FALSE(PostFormPage("http://h/", "--x\r\n", "multipart/form-data; boundary=x"));

    EXPECT_EQ(DecodePageBytes("\x83\x5c<", "Shift_JIS"), U8(u8"ソ<"));
    EXPECT_EQ(DecodePageBytes("ok\xff", "UTF-8"), "ok\xEF\xBF\xBD");
    EXPECT_EQ(DecodePageBytes("x", "no-such-charset"), "x");
    EXPECT_EQ(SourcePageHtml("t", "<a href=\"x\">&").find("&lt;a href=\"x\"&gt;&amp;") != std::string::npos,
              true);
}

}  // namespace

TEST_F(WebKitEngineTest, PageMessageBoxesAskTheSinkThenShowOurOwn) {
    auto [engine, sink] = NewEngine();
    ASSERT_TRUE(LoadAndWait(engine, *sink, "/c.html"));

    // Handled: nothing is shown and the page gets the default answer.
    sink->handleMessages = true;
    EXPECT_EQ(EvalString(engine->View(), "String(confirm('question')) + String(prompt('p'))"), "falsenull");
    EXPECT_TRUE(sink->Has("ShowMessage Fern Browser|question"));
    EXPECT_TRUE(engine->Dialogs().Open().empty());

    // Not handled: our own box, and the user's answer reaches the page.
    sink->handleMessages = false;
    RunJs(engine->View(), "document.title = String(confirm('sure?'))");
    ASSERT_TRUE(RunUntil([&] { return engine->Dialogs().Open().size() == 1; }));
    GtkWidget* box = engine->Dialogs().Open()[0];
    EXPECT_STREQ(gtk_window_get_title(GTK_WINDOW(box)), "Fern Browser");
    EXPECT_TRUE(gtk_window_get_modal(GTK_WINDOW(box)));
    gtk_dialog_response(GTK_DIALOG(box), GTK_RESPONSE_OK);
    EXPECT_TRUE(RunUntil([&] { return engine->LocationName() == "true"; }));
    EXPECT_TRUE(engine->Dialogs().Open().empty());
    RunJs(engine->View(), "document.title = 'p:' + prompt('name?', 'given')");
    ASSERT_TRUE(RunUntil([&] { return engine->Dialogs().Open().size() == 1; }));
    gtk_dialog_response(GTK_DIALOG(engine->Dialogs().Open()[0]), GTK_RESPONSE_OK);
    EXPECT_TRUE(RunUntil([&] { return engine->LocationName() == "p:given"; }));

    // Script errors of the page, with where they happened.
    RunJs(engine->View(), "setTimeout(function () { notDefinedAnywhere(); }, 0)");
    ASSERT_TRUE(RunUntil([&] { return sink->CountPrefix("ScriptError ") == 1; }));
    EXPECT_NE(sink->Select(0, {"ScriptError "})[0].find("notDefinedAnywhere"), std::string::npos);
    RunJs(engine->View(), "Promise.reject(new Error('rejected'))");
    EXPECT_TRUE(
        RunUntil([&] { return sink->CountPrefix("ScriptError Uncaught (in promise) rejected|") == 1; }));

    // A box still open when its tab goes: closed, no crash.
    RunJs(engine->View(), "alert('bye')");
    ASSERT_TRUE(RunUntil([&] { return engine->Dialogs().Open().size() == 1; }));
    m_engines.clear();
    RunFor(300);
}

namespace {

// The web processes started below this one (through the sandbox's helpers),
// oldest first.
std::vector<pid_t> WebProcesses() {
    auto statusField = [](pid_t pid, const std::string& key) {
        std::ifstream status("/proc/" + std::to_string(pid) + "/status");
        for (std::string line; std::getline(status, line);)
            if (line.rfind(key + ":", 0) == 0)
                return line.substr(line.find_first_not_of(" \t", key.size() + 1));
        return std::string();
    };
    auto below = [&](pid_t pid) {
        for (int depth = 0; pid > 1 && depth < 16; ++depth) {
            pid = std::atoi(statusField(pid, "PPid").c_str());
            if (pid == getpid()) return true;
        }
        return false;
    };
    std::vector<std::pair<unsigned long long, pid_t>> found;
    for (const auto& entry : std::filesystem::directory_iterator("/proc")) {
        pid_t pid = std::atoi(entry.path().filename().c_str());
        if (pid <= 0 || statusField(pid, "Name").find("WebKitWebProces") != 0 || !below(pid)) continue;
        std::ifstream stat(entry.path() / "stat");
        std::string line;
        std::getline(stat, line);
        std::istringstream fields(line.substr(line.rfind(')') + 2));
        std::string field;
        for (int i = 3; i <= 22 && fields >> field; ++i) {}
        found.emplace_back(std::strtoull(field.c_str(), nullptr, 10), pid);
    }
    std::sort(found.begin(), found.end());
    std::vector<pid_t> pids;
    for (const auto& [start, pid] : found) pids.push_back(pid);
    return pids;
}

}  // namespace

TEST(WebKitSadPage, SaysWhatHappenedAndLinksTheAddressEscaped) {
    std::string html = SadPageHtml("<b>&", "http://x/?a=1&b=\"2\"", WEBKIT_WEB_PROCESS_CRASHED);
    EXPECT_NE(html.find("<title>&lt;b&gt;&amp;</title>"), std::string::npos);
    EXPECT_NE(html.find("href=\"http://x/?a=1&amp;b=&quot;2&quot;\""), std::string::npos);
    EXPECT_NE(html.find(ToUtf8("このページを表示できませんでした")), std::string::npos);
    EXPECT_NE(html.find(ToUtf8("異常終了")), std::string::npos);
    EXPECT_NE(SadPageHtml("", "about:blank", WEBKIT_WEB_PROCESS_EXCEEDED_MEMORY_LIMIT).find(ToUtf8("メモリ")),
              std::string::npos);
}

TEST_F(WebKitEngineTest, AnEndedWebProcessLeavesOurPageInItsTabOnly) {
    auto [first, firstSink] = NewEngine();
    ASSERT_TRUE(LoadAndWait(first, *firstSink, "/b.html"));
    auto [second, sink] = NewEngine();
    ASSERT_TRUE(LoadAndWait(second, *sink, "/ended.html"));
    ASSERT_TRUE(RunUntil([&] { return second->LocationName() == "ページE"; }));
    ASSERT_FALSE(WebProcesses().empty());
    pid_t process = WebProcesses().back();
    ASSERT_EQ(kill(process, SIGKILL), 0);

    // The tab keeps its address and title and says what happened; the
    // other tab's page goes on.
    auto sad = [&] {
        return EvalString(second->View(), "document.getElementById('reload') ? 'sad' : ''") == "sad";
    };
    ASSERT_TRUE(RunUntil(sad));
    EXPECT_EQ(second->LocationURL(), Url("/ended.html"));
    EXPECT_EQ(second->LocationName(), "ページE");
    EXPECT_EQ(EvalString(first->View(), "document.title"), "B");
    EXPECT_EQ(s_server->CountRequests("/ended.html"), 1);  // nothing reloads by itself

    // Its button loads the page again, in a new process.
    RunJs(second->View(), "document.getElementById('reload').click()");
    ASSERT_TRUE(RunUntil([&] { return s_server->CountRequests("/ended.html") == 2; }));
    ASSERT_TRUE(RunUntil(
        [&] { return !sad() && EvalString(second->View(), "document.title") == ToUtf8("ページE"); }));
}

TEST(SiteKey, TabsOfOneRegistrableDomainAreOneSite) {
    const std::pair<const char*, const char*> cases[] = {
        {"http://news.example.co.jp/a", "example.co.jp"},
        {"https://www.Example.co.jp:8443/b?c", "example.co.jp"},
        {"http://example.com/", "example.com"},
        {"http://a.b.example.com/", "example.com"},
        {"http://127.0.0.1:8080/x", "127.0.0.1"},
        {"http://[::1]:80/", "::1"},
        {"http://localhost:3000/", "localhost"},
        {"http://co.jp/", "co.jp"},  // a public suffix stands for itself
        {"file:///home/a/b.html", "file:"},
        {"about:blank", ""},
        {"data:text/html,x", ""},
        {"javascript:1", ""},
        {"http:///nohost", ""},
        {"not a url", ""},
    };
    for (const auto& [url, site] : cases) EXPECT_EQ(SiteKeyOfUrl(url), site) << url;
    EXPECT_EQ(SiteKeyOfUrl("http://" + std::string(10000, 'a') + ".com/"), "");
    EXPECT_EQ(SiteKeyOfUrl("http://www.\xe4\xbe\x8b\xe3\x81\x88.jp/"),
              SiteKeyOfUrl("http://xn--r8jz45g.jp/"));
    EXPECT_NE(SiteKeyOfUrl("http://xn--r8jz45g.jp/"), "");
}

TEST_F(WebKitEngineTest, TabsOfOneSiteShareAWebProcessAndOtherSitesGetTheirOwn) {
    auto open = [&](const std::string& url) {
        std::unique_ptr<IBrowserEngine> made = m_factory->CreateForSite(url);
        auto* engine = dynamic_cast<WebKitEngine*>(made.get());
        RecordingSink* sink = &m_sinks.emplace_back();
        engine->SetEventSink(sink);
        gtk_box_pack_start(GTK_BOX(m_box), engine->Widget(), TRUE, TRUE, 0);
        gtk_widget_show(engine->Widget());
        m_engines.push_back(std::move(made));
        engine->Navigate2(url, 0, "", "", "");
        return RunUntil([&] { return sink->Has("DocumentComplete " + url + " 1"); });
    };
    // The processes of earlier tests' tabs end first.
    RunUntil([] { return WebProcesses().empty(); });
    std::size_t before = WebProcesses().size();
    ASSERT_TRUE(open(Url("/b.html")));
    ASSERT_EQ(WebProcesses().size(), before + 1);
    ASSERT_TRUE(open(Url("/c.html")));
    EXPECT_EQ(WebProcesses().size(), before + 1);  // the same site: the same process
    std::string otherSite = Url("/b.html");
    otherSite.replace(otherSite.find("127.0.0.1"), 9, "localhost");
    ASSERT_TRUE(open(otherSite));
    EXPECT_EQ(WebProcesses().size(), before + 2);
    ASSERT_TRUE(open("about:blank"));
    EXPECT_EQ(WebProcesses().size(), before + 3);  // no site: a process of its own
}

TEST_F(WebKitEngineTest, TheFirstTabTakesOverThePrestartedLoadOfItsAddressOnly) {
    const std::string a = Url("/a.html"), b = Url("/b.html"), c = Url("/c.html");
    // Taken over: one request, the events of one whole load, no entry before it.
    int asked = s_server->CountRequests("/a.html");
    m_factory->Prestart(a);
    auto [engine, sink] = Show(m_factory->CreateForSite(a));
    ASSERT_NE(engine, nullptr);
    engine->Navigate2(a, 0, "", "", "");
    ASSERT_TRUE(RunUntil([&] { return sink->Has("DocumentComplete " + a + " 1"); })) << Dump(*sink);
    EXPECT_EQ(sink->Loads(), WholeLoad(a));
    EXPECT_EQ(s_server->CountRequests("/a.html"), asked + 1);
    EXPECT_EQ(EvalString(engine->View(), "history.length"), "1");
    ASSERT_TRUE(LoadAndWait(engine, *sink, "/b.html"));
    EXPECT_EQ(engine->BackList(5), std::vector<std::string>{"ページA"});

    // A tab for another address: the prestarted load never reaches the server.
    asked = s_server->CountRequests("/c.html");
    m_factory->Prestart(c);
    auto [other, otherSink] = Show(m_factory->CreateForSite(b));
    other->Navigate2(b, 0, "", "", "");
    ASSERT_TRUE(RunUntil([&] { return otherSink->Has("DocumentComplete " + b + " 1"); }));
    EXPECT_EQ(EvalString(other->View(), "history.length"), "1");

    // Nor when no tab takes it.
    m_factory->Prestart(c);
    m_factory->ReleasePrestarted();

    // Nor when the tab refuses it; the tab loads the next address as usual.
    m_factory->Prestart(c);
    auto [refusing, refusingSink] = Show(m_factory->CreateForSite(c));
    refusingSink->cancelIf = [](const std::string&) { return true; };
    refusing->Navigate2(c, 0, "", "", "");
    // Busy until its web process has started and been refused the load.
    ASSERT_TRUE(RunUntil([&] { return !refusing->Busy(); }));
    RunFor(200);
    EXPECT_EQ(refusingSink->Loads(), std::vector<std::string>{"BeforeNavigate2 " + c});
    EXPECT_EQ(s_server->CountRequests("/c.html"), asked);
    refusingSink->cancelIf = nullptr;
    ASSERT_TRUE(LoadAndWait(refusing, *refusingSink, "/b.html"));

    // Should the main loop run before a tab takes the view (a dialog while
    // the window is built), its load is refused there and the tab loads anew.
    m_factory->Prestart(c);
    RunFor(500);
    EXPECT_EQ(s_server->CountRequests("/c.html"), asked);
    auto [late, lateSink] = Show(m_factory->CreateForSite(c));
    late->Navigate2(c, 0, "", "", "");
    ASSERT_TRUE(RunUntil([&] { return lateSink->Has("DocumentComplete " + c + " 1"); })) << Dump(*lateSink);
    EXPECT_EQ(lateSink->Loads(), WholeLoad(c));
    EXPECT_EQ(s_server->CountRequests("/c.html"), asked + 1);
    EXPECT_EQ(EvalString(late->View(), "history.length"), "1");

    // A first navigation with headers of its own is loaded again, with them.
    asked = s_server->CountRequests("/c.html");
    m_factory->Prestart(c);
    auto [headed, headedSink] = Show(m_factory->CreateForSite(c));
    headed->Navigate2(c, 0, "", "", "X-Fern-Test: again\r\n");
    ASSERT_TRUE(RunUntil([&] { return headedSink->Has("DocumentComplete " + c + " 1"); }));
    ASSERT_EQ(s_server->CountRequests("/c.html"), asked + 1);
    EXPECT_EQ(s_server->Requests("/c.html").back().headers["x-fern-test"], "again");
    EXPECT_EQ(EvalString(headed->View(), "history.length"), "1");
}
