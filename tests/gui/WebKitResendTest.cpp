// A form's result page reloaded would post the form again: WebKit 2.50 does
// it without a word, so the control asks first, and only "再送信" sends.
#include <memory>
#include <string>
#include <vector>

#include "gui/WebKitSuite.h"
#include "platform/gtk/WebKitEngine.h"
#include "platform/gtk/WebKitEngineFactory.h"

using namespace fern;
using namespace fern::test;

namespace {

struct CompleteSink : BrowserEvents {
    int completed = 0;
    void DocumentComplete(const std::string&, bool top) override { completed += top ? 1 : 0; }
};

std::vector<GtkDialog*> OpenQuestions() {
    std::vector<GtkDialog*> found;
    GList* windows = gtk_window_list_toplevels();
    for (GList* w = windows; w; w = w->next)
        if (gtk_widget_get_visible(GTK_WIDGET(w->data)) &&
            g_strcmp0(gtk_widget_get_name(GTK_WIDGET(w->data)), "fern-resend-question") == 0)
            found.push_back(GTK_DIALOG(w->data));
    g_list_free(windows);
    return found;
}

GtkDialog* OpenQuestion() {
    std::vector<GtkDialog*> found = OpenQuestions();
    return found.empty() ? nullptr : found.back();
}

class WebKitResendTest : public WebKitViewsSuite {
protected:
    static void SetUpTestSuite() {
        StartSuite("fern-webkit-resend-XXXXXX");
        s_server->Serve("/form.html",
                        "<title>Form</title><form method=post action=/result><input name=q value=x></form>");
        s_server->Serve("/result", "<title>Result</title><p>sent", "text/html\r\nCache-Control: no-store");
    }
    static void TearDownTestSuite() { StopSuite(); }
};

TEST_F(WebKitResendTest, ReloadingAFormsResultAsksAndSendsOnlyWhenTold) {
    std::unique_ptr<IBrowserEngine> owned = m_factory->Create(nullptr);
    auto* engine = dynamic_cast<WebKitEngine*>(owned.get());
    ASSERT_NE(engine, nullptr);
    CompleteSink sink;
    engine->SetEventSink(&sink);
    gtk_box_pack_start(GTK_BOX(m_box), engine->Widget(), TRUE, TRUE, 0);
    gtk_widget_show(engine->Widget());
    engine->Navigate2(Url("/form.html"), 0, "", "", "");
    ASSERT_TRUE(RunUntil([&] { return sink.completed == 1; }));
    EvalString(engine->View(), "document.forms[0].submit(); 1");
    ASSERT_TRUE(RunUntil([&] { return sink.completed == 2; }));
    ASSERT_EQ(s_server->CountRequests("/result"), 1);

    // Cancel (also what Enter does): nothing goes, the page stays.
    engine->Refresh();
    ASSERT_TRUE(RunUntil([] { return OpenQuestion() != nullptr; }));
    GtkDialog* question = OpenQuestion();
    EXPECT_EQ(gtk_window_get_transient_for(GTK_WINDOW(question)), GTK_WINDOW(m_window));
    gtk_dialog_response(question, GTK_RESPONSE_CANCEL);
    RunFor(500);
    EXPECT_EQ(OpenQuestion(), nullptr);
    EXPECT_EQ(s_server->CountRequests("/result"), 1);
    EXPECT_EQ(engine->LocationURL(), Url("/result"));
    EXPECT_EQ(EvalString(engine->View(), "document.title"), "Result");

    // Told to: the form goes again, once.
    engine->Refresh();
    ASSERT_TRUE(RunUntil([] { return OpenQuestion() != nullptr; }));
    gtk_dialog_response(OpenQuestion(), GTK_RESPONSE_OK);
    ASSERT_TRUE(RunUntil([&] { return sink.completed == 3; }));
    EXPECT_EQ(s_server->CountRequests("/result"), 2);
    EXPECT_EQ(s_server->Requests("/result").back().body, "q=x");

    // Asked again while it asks (a refresh timer): still one question, and
    // its answer sends the form once.
    engine->Refresh();
    ASSERT_TRUE(RunUntil([] { return OpenQuestion() != nullptr; }));
    engine->Refresh();
    RunFor(500);
    EXPECT_EQ(OpenQuestions().size(), 1u);
    gtk_dialog_response(OpenQuestion(), GTK_RESPONSE_OK);
    ASSERT_TRUE(RunUntil([&] { return sink.completed == 4; }));
    RunFor(300);
    EXPECT_EQ(OpenQuestion(), nullptr);
    EXPECT_EQ(s_server->CountRequests("/result"), 3);

    // A view closed while it asks takes its question with it.
    engine->Refresh();
    ASSERT_TRUE(RunUntil([] { return OpenQuestion() != nullptr; }));
    owned.reset();
    RunFor(300);
    EXPECT_EQ(OpenQuestion(), nullptr);
    EXPECT_EQ(s_server->CountRequests("/result"), 3);
}

}  // namespace
