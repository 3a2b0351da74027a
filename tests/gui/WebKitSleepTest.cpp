// A tab's WebKit control given up and made again from its session state, as
// a sleeping tab wakes: the page comes back with the history it had (no
// second entry for itself), scrolled where it was, from the cache when the
// page allows it, and reported to the tab as one load.
#include <memory>
#include <string>
#include <vector>

#include "gui/WebKitSuite.h"
#include "platform/gtk/WebKitEngine.h"
#include "platform/gtk/WebKitEngineFactory.h"

using namespace fern;
using namespace fern::test;

namespace {

struct LoadSink : BrowserEvents {
    std::vector<std::string> asked, completed;
    void BeforeNavigate2(const std::string& url, long, const std::string&, const std::string&,
                         const std::string&, bool&) override {
        asked.push_back(url);
    }
    void DocumentComplete(const std::string& url, bool top) override {
        if (top) completed.push_back(url);
    }
};

class WebKitSleepTest : public WebKitViewsSuite {
protected:
    static void SetUpTestSuite() {
        StartSuite("fern-webkit-sleep-XXXXXX");
        s_server->Serve("/one.html", "<title>One</title><p>one");
        s_server->Serve("/long.html", "<title>Long</title><body style='height:20000px'><p>top",
                        "text/html\r\nCache-Control: max-age=3600");
        s_server->Serve("/fresh.html", "<title>Fresh</title><body style='height:20000px'><p>top",
                        "text/html\r\nCache-Control: no-store");
        s_server->Serve("/two.html", "<title>Two</title><p>two");
        s_server->Serve("/form.html",
                        "<title>Form</title><form method=post action=/result><input name=q value=x></form>");
        s_server->Serve("/result", "<title>Result</title><p>sent", "text/html\r\nCache-Control: no-store");
    }
    static void TearDownTestSuite() { StopSuite(); }

    void TearDown() override {
        m_engine.reset();
        WebKitViewsSuite::TearDown();
    }

    // A new control in the window in place of the last one.
    WebKitEngine* Fresh() {
        m_engine.reset();
        m_sink = LoadSink{};
        m_engine = m_factory->Create(nullptr);
        auto* engine = dynamic_cast<WebKitEngine*>(m_engine.get());
        if (!engine) return nullptr;
        engine->SetEventSink(&m_sink);
        gtk_box_pack_start(GTK_BOX(m_box), engine->Widget(), TRUE, TRUE, 0);
        gtk_widget_show(engine->Widget());
        return engine;
    }

    bool Load(WebKitEngine* engine, const std::string& path) {
        const std::size_t before = m_sink.completed.size();
        engine->Navigate2(Url(path), 0, "", "", "");
        return RunUntil([&] { return m_sink.completed.size() > before; });
    }

    // Scrolls the page, then waits until its session state has stayed the
    // same for 1.5 s: WebKit keeps the position in the page's history entry
    // some 350 ms after the scroll, after another change of the state.
    static bool ScrollTo(WebKitEngine* engine, int y) {
        EvalString(engine->View(), "scrollTo(0," + std::to_string(y) + "); 1");
        std::string last = engine->SessionState();
        gint64 since = g_get_monotonic_time();
        return RunUntil([&] {
            if (std::string now = engine->SessionState(); now != last) {
                last = std::move(now);
                since = g_get_monotonic_time();
            }
            return g_get_monotonic_time() - since >= 1'500'000;
        });
    }

    std::unique_ptr<IBrowserEngine> m_engine;
    LoadSink m_sink;
};

TEST_F(WebKitSleepTest, AWokenPageHasItsHistoryAndScrollAndComesFromTheCache) {
    struct Case {
        const char* page;
        bool cached;
    };
    for (const Case& c : {Case{"/long.html", true}, Case{"/fresh.html", false}}) {
        SCOPED_TRACE(c.page);
        WebKitEngine* engine = Fresh();
        ASSERT_NE(engine, nullptr);
        ASSERT_TRUE(Load(engine, "/one.html"));
        ASSERT_TRUE(Load(engine, c.page));
        ASSERT_TRUE(ScrollTo(engine, 3000));
        const std::string state = engine->SessionState();
        ASSERT_FALSE(state.empty());
        const int served = s_server->CountRequests(c.page);

        engine = Fresh();  // the old view and its web process are gone
        ASSERT_TRUE(engine->RestoreSessionState(state));
        ASSERT_TRUE(RunUntil([&] { return !m_sink.completed.empty(); }));
        EXPECT_EQ(m_sink.asked, std::vector<std::string>{Url(c.page)}) << "one load, reported once";
        EXPECT_EQ(m_sink.completed, std::vector<std::string>{Url(c.page)});
        EXPECT_EQ(engine->LocationURL(), Url(c.page));
        EXPECT_EQ(engine->HistoryItems(true, 10).size(), 1u) << "no second entry for the page";
        EXPECT_EQ(engine->BackList(10), std::vector<std::string>{"One"});
        EXPECT_EQ(EvalString(engine->View(), "history.length"), "2");
        EXPECT_TRUE(RunUntil([&] { return EvalString(engine->View(), "scrollY") == "3000"; }))
            << "scrolled to " << EvalString(engine->View(), "scrollY");
        EXPECT_EQ(s_server->CountRequests(c.page), served + (c.cached ? 0 : 1));

        // Its history works as before: back to the first page and forward again.
        const std::size_t loads = m_sink.completed.size();
        engine->GoBack();
        ASSERT_TRUE(RunUntil([&] { return m_sink.completed.size() > loads; }));
        EXPECT_EQ(engine->LocationURL(), Url("/one.html"));
        EXPECT_EQ(engine->ForwardList(10).size(), 1u);
    }
}

// Restored from its history, a form's result page is posted again without a
// question (WebKit 2.50): such a page keeps its view; the page after it may rest.
TEST_F(WebKitSleepTest, AFormsResultPageDoesNotRestSoItsFormIsNeverSentAgain) {
    WebKitEngine* engine = Fresh();
    ASSERT_NE(engine, nullptr);
    ASSERT_TRUE(Load(engine, "/form.html"));
    const std::size_t before = m_sink.completed.size();
    EvalString(engine->View(), "document.forms[0].submit(); 1");
    ASSERT_TRUE(RunUntil([&] { return m_sink.completed.size() > before; }));
    ASSERT_EQ(engine->LocationURL(), Url("/result"));
    ASSERT_EQ(s_server->CountRequests("/result"), 1);
    auto mayRest = [&] {
        int answer = -1;
        engine->MayRest([&](bool may) { answer = may ? 1 : 0; });
        RunUntil([&] { return answer != -1; });
        return answer;
    };
    EXPECT_EQ(mayRest(), 0);
    ASSERT_TRUE(Load(engine, "/two.html"));
    EXPECT_EQ(mayRest(), 1);
    EXPECT_EQ(s_server->CountRequests("/result"), 1);
}

TEST_F(WebKitSleepTest, OnlyAViewThatShowedNothingTakesAStateAndBadBytesAreRefused) {
    WebKitEngine* engine = Fresh();
    ASSERT_NE(engine, nullptr);
    ASSERT_TRUE(Load(engine, "/two.html"));
    const std::string state = engine->SessionState();
    for (const std::string& bad :
         {std::string(), std::string("not a state"), state.substr(0, state.size() / 2)}) {
        WebKitEngine* fresh = Fresh();
        EXPECT_FALSE(fresh->RestoreSessionState(bad));
        EXPECT_TRUE(fresh->BackList(10).empty());
    }
    engine = Fresh();
    ASSERT_TRUE(Load(engine, "/one.html"));
    EXPECT_FALSE(engine->RestoreSessionState(state)) << "a view with a page of its own keeps it";
    EXPECT_EQ(engine->LocationURL(), Url("/one.html"));
}

}  // namespace
