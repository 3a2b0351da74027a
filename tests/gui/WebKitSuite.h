#pragma once
// A test suite on one web context, its profile in a temporary folder, and a
// page server on 127.0.0.1 that the suite fills with its pages.
#include <glib.h>
#include <gtest/gtest.h>

#include <string>

#include "gui/GuiTestSupport.h"
#include "gui/LocalHttpServer.h"
#include "platform/gtk/WebKitContext.h"
#include "platform/text/Encoding.h"

namespace fern::test {

class WebKitSuite : public ::testing::Test {
protected:
    static inline std::string s_dataDir;
    static inline WebKitContext* s_context = nullptr;
    static inline LocalHttpServer* s_server = nullptr;

    static void StartSuite(const char* folderPattern) {
        InitGtkOnce();
        gchar* dir = g_dir_make_tmp(folderPattern, nullptr);
        s_dataDir = dir;
        g_free(dir);
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
};

}  // namespace fern::test
