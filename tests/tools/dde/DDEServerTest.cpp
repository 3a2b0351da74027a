#include <gtest/gtest.h>

#include <cstdarg>
#include <cstring>
#include <mutex>
#include <thread>

#include "tools/dde/DDEServer.h"
#include "tools/dde/DdeTestSupport.h"

using namespace fern;
using fern::test::RunClient;
using fern::test::ScopedRuntimeDir;
using fern::test::SpinUntil;
using fern::test::TestClient;
using fern::test::WithNul;

namespace {

class TestServer : public CDDEServer {
public:
    std::vector<std::string> statuses;
    void Status(const char* format, ...) override {
        char text[512];
        va_list args;
        va_start(args, format);
        std::vsnprintf(text, sizeof text, format, args);
        va_end(args);
        statuses.push_back(text);
    }
    bool Logged(const std::string& text) const {
        return std::find(statuses.begin(), statuses.end(), text) != statuses.end();
    }
};

// Advise data that reached a client thread's callback.
thread_local std::vector<std::string>* t_advised = nullptr;

HDDEDATA AdviseCallback(UINT type, UINT, HCONV, HSZ, HSZ, HDDEDATA data, ULONG_PTR, ULONG_PTR) {
    if (type != XTYP_ADVDATA || !t_advised) return nullptr;
    DWORD size = 0;
    unsigned char* bytes = DdeAccessData(data, &size);
    t_advised->push_back(std::string(reinterpret_cast<char*>(bytes), size));
    return DdeFlagAnswer(DDE_FACK);
}

class DDEServerTest : public ::testing::Test {
protected:
    ScopedRuntimeDir runtime;
    std::string service = test::UniqueService("LIBTEST");
    TestServer server;
    CDDETopic notes;
    CDDEStringItem text;

    void SetUp() override {
        ASSERT_TRUE(server.Create(service));
        notes.Create("Notes");
        text.Create("Text");
        server.AddTopic(&notes);
        notes.AddItem(&text);
    }
};

}  // namespace

TEST_F(DDEServerTest, SystemTopicNamesTopicsItemsAndFormats) {
    std::optional<std::string> topics, sysItems, topicItems, formats, unknown;
    RunClient([&] {
        TestClient c;
        ASSERT_TRUE(c.Connect(service, "system"));
        topics = c.Request("Topics");
        sysItems = c.Request("SYSITEMS");
        topicItems = c.Request("TopicItemList");
        formats = c.Request("Formats", 2);  // the format is not checked
        unknown = c.Request("Nothing");
    });
    EXPECT_EQ(topics, WithNul("System\tNotes"));
    EXPECT_EQ(sysItems, WithNul("TopicItemList\tFormats\tTopics\tSysItems"));
    // The shared item reports on the topic it was added to last.
    EXPECT_EQ(topicItems, WithNul("TopicItemList\tFormats\tText"));
    EXPECT_EQ(formats, WithNul("TEXT"));
    EXPECT_FALSE(unknown);
    EXPECT_TRUE(server.Logged("Callback 1062H"));
    EXPECT_TRUE(server.Logged("Connect to system"));
    EXPECT_TRUE(server.Logged("System topic request: Topics"));
    EXPECT_TRUE(server.Logged("Request system|Nothing failed"));
}

TEST_F(DDEServerTest, ConversationRecordsFollowTheClientsAndUnknownTopicsAreRefused) {
    bool refused = true;
    std::size_t during = 0;
    RunClient([&] {
        TestClient c;
        refused = !c.Connect(service, "Elsewhere");
        ASSERT_TRUE(c.Connect(service, "NOTES"));
        ASSERT_TRUE(c.Request("text"));
    });
    EXPECT_TRUE(refused);
    // The client ended: its disconnect removes the record.
    SpinUntil([&] { return server.m_ConvList.IsEmpty(); });
    EXPECT_TRUE(server.m_ConvList.IsEmpty());
    EXPECT_TRUE(server.Logged("Disconnect"));

    TestClient kept;
    RunClient([&] { ASSERT_TRUE(kept.Connect(service, "Notes")); });
    SpinUntil([&] { return server.m_ConvList.GetCount() == 1; });
    during = server.m_ConvList.GetCount();
    ASSERT_EQ(during, 1u);
    EXPECT_EQ(server.FindConversation(kept.conv), nullptr);  // the server's handle is its own
    CDDEConv* record = server.m_ConvList.GetHead();
    EXPECT_EQ(server.FindConversation(record->m_hConv), record);
    EXPECT_EQ(server.StringFromHsz(record->m_hszTopic), "Notes");
    EXPECT_EQ(server.StringFromHsz(nullptr), "<null>");

    // Shutdown ends the conversation: the client's next request fails.
    server.Shutdown();
    EXPECT_TRUE(server.m_ConvList.IsEmpty());
    EXPECT_FALSE(server.IsInitialized());
    std::optional<std::string> after = "x";
    RunClient([&] { after = kept.Request("Text"); });
    EXPECT_FALSE(after);
}

TEST_F(DDEServerTest, APokedItemIsAdvisedToItsWatchersAndExecIsNotProcessed) {
    std::vector<std::string> advised;
    DWORD poked = 0, executed = 1;
    bool adviseUnknown = true, adviseText = false;
    RunClient([&] {
        // The client hears its advises on a main context of its own thread.
        GMainContext* context = g_main_context_new();
        g_main_context_push_thread_default(context);
        t_advised = &advised;
        {
            TestClient c(AdviseCallback);
            c.Connect(service, "Notes");
            auto adviseStart = [&](const char* item) {
                return DdeClientTransaction(nullptr, 0, c.conv, c.Hsz(item), CF_TEXT, XTYP_ADVSTART, 5000,
                                            nullptr);
            };
            adviseUnknown = adviseStart("Nope");
            adviseText = adviseStart("TEXT");
            poked = c.Send(XTYP_POKE, "Text", "hello");
            executed = c.Send(XTYP_EXECUTE, "", "run");
            auto awaitAdvises = [&](std::size_t count) {
                gint64 deadline = g_get_monotonic_time() + 5 * G_USEC_PER_SEC;
                while (advised.size() < count && g_get_monotonic_time() < deadline) {
                    g_main_context_iteration(context, FALSE);
                    g_usleep(1000);
                }
            };
            awaitAdvises(1);
            // The server's own change, made on the server's thread.
            g_main_context_invoke(
                nullptr,
                [](gpointer item) -> gboolean {
                    static_cast<CDDEStringItem*>(item)->SetData("from the server");
                    return G_SOURCE_REMOVE;
                },
                &text);
            awaitAdvises(2);
        }
        t_advised = nullptr;
        g_main_context_pop_thread_default(context);
        g_main_context_unref(context);
    });
    EXPECT_FALSE(adviseUnknown);
    EXPECT_TRUE(server.Logged("Can't advise on Notes|Nope"));
    EXPECT_TRUE(adviseText);
    EXPECT_EQ(poked, DDE_FACK);
    EXPECT_EQ(executed, 0u);
    EXPECT_TRUE(server.Logged("Exec failed"));
    EXPECT_EQ(advised, (std::vector<std::string>{WithNul("hello"), WithNul("from the server")}));
}

TEST_F(DDEServerTest, OnlyOneServerPerProcess) {
    TestServer second;
    EXPECT_FALSE(second.Create(service + "B"));
    server.Shutdown();
    EXPECT_FALSE(server.Create(service));  // the first one keeps its place
    EXPECT_FALSE(second.Create(service + "B"));
}

TEST(DDEServer, AServerWhoseServiceIsTakenDoesNotStartAndItsPlaceIsFreedWithIt) {
    ScopedRuntimeDir runtime;
    std::string service = test::UniqueService("TAKEN");
    TestClient other;
    ASSERT_TRUE(DdeNameService(other.instance, other.Hsz(service), nullptr, DNS_REGISTER));
    {
        TestServer blocked;
        EXPECT_FALSE(blocked.Create(service));
        EXPECT_FALSE(blocked.IsInitialized());
    }
    TestServer next;
    EXPECT_TRUE(next.Create(service + "2"));
}

namespace {

class RefusingServer : public TestServer {
public:
    bool OnCreate() override { return false; }
};

}  // namespace

TEST(DDEServer, AFailedCreateFreesThePlaceAtOnceAndLeavesNothingRunning) {
    ScopedRuntimeDir runtime;
    std::string service = test::UniqueService("FAILED");
    TestClient other;
    ASSERT_TRUE(DdeNameService(other.instance, other.Hsz(service), nullptr, DNS_REGISTER));
    TestServer blocked;
    RefusingServer refusing;
    EXPECT_FALSE(blocked.Create(service));
    EXPECT_FALSE(refusing.Create(service + "R"));
    EXPECT_FALSE(refusing.IsInitialized());
    {
        TestServer next;  // while the failed ones still live
        EXPECT_TRUE(next.Create(service + "N"));
    }
    // The failed server may try again under another name, and then answers.
    ASSERT_TRUE(blocked.Create(service + "B"));
    bool refusedRuns = true, blockedAnswers = false;
    RunClient([&] {
        TestClient c;
        refusedRuns = c.Connect(service + "R", "System");
        blockedAnswers = c.Connect(service + "B", "System") && c.Request("Topics") == WithNul("System");
    });
    EXPECT_FALSE(refusedRuns);
    EXPECT_TRUE(blockedAnswers);
}

namespace {

// A plain server on a thread and main context of its own, for our client
// conversations to talk to.
class ThreadServer {
public:
    explicit ThreadServer(std::string service) : m_service(std::move(service)) {
        s_current = this;
        m_thread = std::thread([this] { Run(); });
        while (!m_ready) g_usleep(1000);
    }
    ~ThreadServer() {
        m_stop = true;
        g_main_context_wakeup(m_context);
        m_thread.join();
        s_current = nullptr;
    }
    // Tells the watchers of Remote|k that it changed.
    void PostAdvise() {
        g_main_context_invoke(
            m_context,
            [](gpointer) -> gboolean {
                DdePostAdvise(s_current->m_instance, Hsz("Remote"), Hsz("k"));
                return G_SOURCE_REMOVE;
            },
            nullptr);
    }
    std::vector<std::string> Events() {
        std::lock_guard lock(m_mutex);
        return m_events;
    }

private:
    static inline ThreadServer* s_current = nullptr;
    std::string m_service;
    std::thread m_thread;
    GMainContext* m_context = g_main_context_new();
    DWORD m_instance = 0;
    std::atomic<bool> m_ready{false}, m_stop{false};
    std::mutex m_mutex;
    std::vector<std::string> m_events;

    void Run() {
        g_main_context_push_thread_default(m_context);
        DdeInitializeA(&m_instance, Callback, 0, 0);
        DdeNameService(m_instance, DdeCreateStringHandleA(m_instance, m_service.c_str(), 0), nullptr,
                       DNS_REGISTER);
        m_ready = true;
        while (!m_stop) g_main_context_iteration(m_context, TRUE);
        DdeUninitialize(m_instance);
        g_main_context_pop_thread_default(m_context);
        g_main_context_unref(m_context);
    }

    static std::string Str(HSZ hsz) {
        char buffer[256];
        DdeQueryStringA(s_current->m_instance, hsz, buffer, sizeof buffer, 0);
        return buffer;
    }

    static HSZ Hsz(const char* text) { return DdeCreateStringHandleA(s_current->m_instance, text, 0); }

    static HDDEDATA Answer(const std::string& text, HSZ item) {
        return DdeCreateDataHandle(s_current->m_instance, text.c_str(), static_cast<DWORD>(text.size() + 1),
                                   0, item, CF_TEXT, 0);
    }

    static HDDEDATA Callback(UINT type, UINT, HCONV, HSZ hsz1, HSZ hsz2, HDDEDATA data, ULONG_PTR,
                             ULONG_PTR) {
        ThreadServer* self = s_current;
        std::string payload;
        if (data) {
            DWORD size = 0;
            const char* bytes = reinterpret_cast<const char*>(DdeAccessData(data, &size));
            payload.assign(bytes, ::strnlen(bytes, size));
        }
        std::lock_guard lock(self->m_mutex);
        switch (type) {
            case XTYP_CONNECT: return DdeFlagAnswer(Str(hsz1) == "Remote");
            case XTYP_REQUEST: return Answer("value of " + Str(hsz2), hsz2);
            case XTYP_ADVREQ: return Answer("advised " + Str(hsz2), hsz2);
            case XTYP_ADVSTART: return DdeFlagAnswer(1);
            case XTYP_POKE:
                self->m_events.push_back("poke " + Str(hsz2) + "=" + payload);
                return DdeFlagAnswer(DDE_FACK);
            case XTYP_EXECUTE: self->m_events.push_back("exec " + payload); return DdeFlagAnswer(DDE_FACK);
            default: return nullptr;
        }
    }
};

class RecordingConv : public CDDEConv {
public:
    using CDDEConv::CDDEConv;
    std::vector<std::string> advised;
    bool AdviseData(UINT, const std::string& topic, const std::string& item, const void* data,
                    DWORD size) override {
        advised.push_back(topic + "|" + item + "|" + std::string(static_cast<const char*>(data), size));
        return true;
    }
};

}  // namespace

TEST_F(DDEServerTest, OurOwnConversationsRequestExecutePokeAndHearAdvises) {
    std::string remote = service + "R";
    ThreadServer other(remote);

    auto* failed = new RecordingConv(&server);
    failed->AddRef();
    EXPECT_FALSE(failed->ConnectTo("NOSUCHSERVICE", "Remote"));
    EXPECT_TRUE(server.Logged("Failed to connect to NOSUCHSERVICE|Remote. Error 16394"));
    EXPECT_TRUE(server.m_ConvList.IsEmpty());
    failed->Release();

    auto* conv = new RecordingConv(&server);
    conv->AddRef();
    ASSERT_TRUE(conv->ConnectTo(remote, "Remote"));
    EXPECT_TRUE(server.m_ConvList.Contains(conv));
    std::string value;
    EXPECT_TRUE(conv->Request("abc", value));
    EXPECT_EQ(value, WithNul("value of abc"));
    EXPECT_TRUE(conv->Exec("go"));
    EXPECT_TRUE(conv->Poke(CF_TEXT, "k", "v", 2));
    EXPECT_EQ(other.Events(), (std::vector<std::string>{"exec go", "poke k=v"}));

    ASSERT_TRUE(conv->Advise("k"));
    other.PostAdvise();
    EXPECT_TRUE(SpinUntil([&] { return !conv->advised.empty(); }));
    ASSERT_EQ(conv->advised.size(), 1u);
    EXPECT_EQ(conv->advised[0], "Remote|k|" + WithNul("advised k"));

    EXPECT_TRUE(conv->Terminate());
    EXPECT_FALSE(conv->Terminate());
    EXPECT_FALSE(server.m_ConvList.Contains(conv));
    conv->Release();
}
