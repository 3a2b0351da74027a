#pragma once
// A test suite on one web context, its profile in a temporary folder, and a
// page server on 127.0.0.1 that the suite fills with its pages.
#include <gtest/gtest.h>
#include <webkit2/webkit2.h>

#include <memory>
#include <string>

#include "gui/GuiTestSupport.h"
#include "gui/LocalHttpServer.h"
#include "platform/gtk/WebKitContext.h"
#include "platform/gtk/WebKitEngineFactory.h"
#include "platform/text/Encoding.h"

namespace fern::test {

class WebKitSuite : public ::testing::Test {
protected:
    static inline std::string s_dataDir;
    static inline WebKitContext* s_context = nullptr;
    static inline LocalHttpServer* s_server = nullptr;

    static void StartSuite(const char* folderPattern) {
        InitGtkOnce();
        s_dataDir = MakeTempDir(folderPattern);
        s_context = new WebKitContext(FromUtf8(s_dataDir));
        s_server = new LocalHttpServer;
    }

    static void StopSuite() {
        delete s_context;
        s_context = nullptr;
        delete s_server;
        s_server = nullptr;
        RemoveTree(s_dataDir);
    }

public:
    static std::string Url(const std::string& path) { return s_server->Url(path); }

    static void RunJs(WebKitWebView* view, const std::string& script) {
        webkit_web_view_evaluate_javascript(view, script.c_str(), -1, nullptr, nullptr, nullptr, nullptr,
                                            nullptr);
    }

    // The script's value as text; "<error>" when it threw or never answered.
    static std::string EvalString(WebKitWebView* view, const std::string& script) {
        struct Answer {
            bool done = false;
            std::string text = "<error>";
        } answer;
        webkit_web_view_evaluate_javascript(
            view, script.c_str(), -1, nullptr, nullptr, nullptr,
            [](GObject* object, GAsyncResult* result, gpointer data) {
                auto* a = static_cast<Answer*>(data);
                if (JSCValue* value = webkit_web_view_evaluate_javascript_finish(WEBKIT_WEB_VIEW(object),
                                                                                 result, nullptr)) {
                    gchar* text = jsc_value_to_string(value);
                    a->text = text ? text : "";
                    g_free(text);
                    g_object_unref(value);
                }
                a->done = true;
            },
            &answer);
        RunUntil([&] { return answer.done; });
        return answer.text;
    }
};

// A shown window with a box for the views under test, and a factory of
// controls on the suite's context.
class WebKitViewsSuite : public WebKitSuite {
protected:
    void SetUp() override {
        m_window = gtk_window_new(GTK_WINDOW_TOPLEVEL);
        gtk_window_set_default_size(GTK_WINDOW(m_window), 800, 600);
        m_box = gtk_box_new(GTK_ORIENTATION_HORIZONTAL, 0);
        gtk_container_add(GTK_CONTAINER(m_window), m_box);
        gtk_widget_show_all(m_window);
        m_factory = std::make_unique<WebKitEngineFactory>(*s_context, "");
    }
    void TearDown() override { gtk_widget_destroy(m_window); }

    GtkWidget* m_window = nullptr;
    GtkWidget* m_box = nullptr;
    std::unique_ptr<WebKitEngineFactory> m_factory;
};

}  // namespace fern::test
