#include <gtest/gtest.h>

#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>

#include <algorithm>
#include <cstring>

#include "platform/dde/DdeFrame.h"
#include "platform/dde/DdeServiceName.h"
#include "platform/dde/DdeSocket.h"
#include "platform/dde/Ddeml.h"
#include "platform/text/SjisByteClass.h"
#include "tools/dde/DdeTestSupport.h"

// Messages are written with designated initializers naming only the fields they use.
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"

using namespace fern;
using fern::test::RunClient;
using fern::test::ScopedRuntimeDir;
using fern::test::SpinUntil;
using fern::test::TestClient;
using fern::test::WithNul;

namespace {

// The raw server of these tests: topic "Echo" only; a request answers the
// item text, a poke or execute is taken when its data is "yes".
struct ServerLog {
    DWORD instance = 0;
    std::vector<std::string> events;
    GThread* thread = nullptr;
};
ServerLog* g_log = nullptr;

std::string Text(HSZ hsz) {
    char buffer[256];
    DdeQueryStringA(g_log->instance, hsz, buffer, sizeof buffer, CP_WINANSI);
    return buffer;
}

HDDEDATA Callback(UINT type, UINT format, HCONV, HSZ hsz1, HSZ hsz2, HDDEDATA data, ULONG_PTR, ULONG_PTR) {
    g_log->thread = g_thread_self();
    switch (type) {
        case XTYP_CONNECT:
            g_log->events.push_back("connect " + Text(hsz1) + " " + Text(hsz2));
            return DdeFlagAnswer(SjisCompareNoCase(Text(hsz1), "Echo") == 0 ? 1 : 0);
        case XTYP_CONNECT_CONFIRM: g_log->events.push_back("confirm"); return nullptr;
        case XTYP_DISCONNECT: g_log->events.push_back("disconnect"); return nullptr;
        case XTYP_REQUEST: {
            std::string item = Text(hsz2);
            g_log->events.push_back("request " + item);
            if (item == "none") return nullptr;
            return DdeCreateDataHandle(g_log->instance, item.c_str(), static_cast<DWORD>(item.size() + 1), 0,
                                       hsz2, format, 0);
        }
        case XTYP_POKE:
        case XTYP_EXECUTE: {
            DWORD size = 0;
            unsigned char* bytes = DdeAccessData(data, &size);
            std::string text(reinterpret_cast<char*>(bytes), size);
            DdeUnaccessData(data);
            g_log->events.push_back((type == XTYP_POKE ? "poke " : "execute ") + text);
            return DdeFlagAnswer(text == "yes" ? DDE_FACK : text == "busy" ? DDE_FBUSY : 0);
        }
        default: return nullptr;
    }
}

class DdemlTest : public ::testing::Test {
protected:
    ScopedRuntimeDir runtime;
    ServerLog log;
    std::string service = test::UniqueService("RAWTEST");
    HSZ serviceHandle = nullptr;

    void SetUp() override {
        g_log = &log;
        ASSERT_EQ(DdeInitializeA(&log.instance, Callback, 0, 0), DMLERR_NO_ERROR);
        serviceHandle = DdeCreateStringHandleA(log.instance, service.c_str(), CP_WINANSI);
        ASSERT_TRUE(DdeNameService(log.instance, serviceHandle, nullptr, DNS_REGISTER));
    }
    void TearDown() override {
        DdeUninitialize(log.instance);
        g_log = nullptr;
    }

    // A raw socket to the service, as a misbehaving client would hold it.
    int RawSocket() { return DdeConnectSocket(*DdeSocketPath(service)); }
};

}  // namespace

TEST(DdeHandles, StringsCompareWithoutCaseAndCopyWithoutCuttingCharacters) {
    DWORD inst = 0;
    ASSERT_EQ(DdeInitializeA(&inst, nullptr, 0, 0), DMLERR_NO_ERROR);
    HSZ a = DdeCreateStringHandleA(inst, "WWW_ListWindows", CP_WINANSI);
    HSZ b = DdeCreateStringHandleA(inst, "wwW_listwindows", CP_WINANSI);
    HSZ c = DdeCreateStringHandleA(inst, "WWW_Exit", CP_WINANSI);
    EXPECT_EQ(DdeCmpStringHandles(a, b), 0);
    EXPECT_NE(DdeCmpStringHandles(a, c), 0);
    EXPECT_EQ(DdeCreateStringHandleA(inst, "", CP_WINANSI), nullptr);
    char buffer[7];
    HSZ jp = DdeCreateStringHandleA(inst, "abcdeソフト", CP_WINANSI);
    EXPECT_EQ(DdeQueryStringA(inst, jp, nullptr, 0, CP_WINANSI), 11u);
    // Room for 6 bytes: "abcde" and the lead byte of "ソ" would split it.
    EXPECT_EQ(DdeQueryStringA(inst, jp, buffer, sizeof buffer, CP_WINANSI), 5u);
    EXPECT_STREQ(buffer, "abcde");
    // Freed as often as made, the handle is gone; once more is refused.
    EXPECT_TRUE(DdeFreeStringHandle(inst, a));
    EXPECT_TRUE(DdeFreeStringHandle(inst, b));
    EXPECT_FALSE(DdeFreeStringHandle(inst, a));
    EXPECT_EQ(DdeQueryStringA(inst, a, nullptr, 0, CP_WINANSI), 0u);

    HDDEDATA data = DdeCreateDataHandle(inst, "xyz", 3, 2, nullptr, CF_TEXT, 0);
    DWORD size = 0;
    unsigned char* bytes = DdeAccessData(data, &size);
    ASSERT_EQ(size, 5u);
    EXPECT_EQ(std::string(reinterpret_cast<char*>(bytes), size), std::string("\0\0xyz", 5));
    char part[2];
    EXPECT_EQ(DdeGetData(data, part, 2, 3), 2u);
    EXPECT_EQ(std::string(part, 2), "yz");
    EXPECT_TRUE(DdeFreeDataHandle(data));
    EXPECT_FALSE(DdeFreeDataHandle(data));
    EXPECT_EQ(DdeAccessData(data, &size), nullptr);
    EXPECT_TRUE(DdeUninitialize(inst));
    EXPECT_FALSE(DdeUninitialize(inst));
    EXPECT_EQ(DdeCreateStringHandleA(inst, "late", CP_WINANSI), nullptr);
}

TEST_F(DdemlTest, TransactionsReachTheCallbackOnTheServingThreadAndAnswerAsTheCallbackSays) {
    struct stat st {};
    ASSERT_EQ(stat(DdeSocketPath(service)->c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0600u);

    std::optional<std::string> answer, missing, lowerCase;
    HDDEDATA pokeYes = nullptr, pokeNo = nullptr, busy = nullptr, exec = nullptr;
    UINT busyError = 0, noError = 0, refusedError = 0;
    DWORD result = 0;
    bool refused = false;
    RunClient([&] {
        TestClient c;
        refused = !c.Connect(service, "Other");
        refusedError = c.lastError;
        ASSERT_TRUE(c.Connect(service, "Echo"));
        answer = c.Request("こんにちは");
        missing = c.Request("none");
        noError = c.lastError;
        auto poke = [&](const char* data, DWORD* flags) {
            return DdeClientTransaction(data, static_cast<DWORD>(std::strlen(data)), c.conv, c.Hsz("i"),
                                        CF_TEXT, XTYP_POKE, 5000, flags);
        };
        pokeYes = poke("yes", &result);
        pokeNo = poke("no", nullptr);
        busy = poke("busy", nullptr);
        busyError = DdeGetLastError(c.instance);
        exec = DdeClientTransaction("yes", 3, c.conv, nullptr, CF_TEXT, XTYP_EXECUTE, 5000, nullptr);
        // Any case; the first conversation is disconnected, this one ends with its client.
        if (c.Connect(service.substr(0, 3) + "test" + service.substr(7), "echo")) lowerCase = c.Request("x");
    });
    EXPECT_TRUE(refused);
    EXPECT_EQ(refusedError, DMLERR_NO_CONV_ESTABLISHED);
    EXPECT_EQ(answer, WithNul("こんにちは"));
    EXPECT_EQ(missing, std::nullopt);
    EXPECT_EQ(noError, DMLERR_NOTPROCESSED);
    EXPECT_NE(pokeYes, nullptr);
    EXPECT_EQ(result, DDE_FACK);
    EXPECT_EQ(pokeNo, nullptr);
    EXPECT_EQ(busy, nullptr);
    EXPECT_EQ(busyError, DMLERR_BUSY);
    EXPECT_NE(exec, nullptr);
    EXPECT_EQ(lowerCase, WithNul("x"));
    EXPECT_EQ(log.thread, g_thread_self());
    // The disconnect is heard; the second conversation ended with its client.
    SpinUntil([&] { return std::count(log.events.begin(), log.events.end(), "disconnect") == 2; });
    EXPECT_EQ(std::count(log.events.begin(), log.events.end(), "disconnect"), 2);
    EXPECT_EQ(log.events.front(), "connect Other " + service);
}

TEST_F(DdemlTest, BadFramesCostOnlyTheirOwnConnectionAndASlowClientBlocksNobody) {
    // Half a frame, kept open: the server must not wait for the rest.
    int slow = RawSocket();
    std::string frame =
        EncodeDdeFrame({.kind = DdeMessageKind::Connect, .service = service, .topic = "Echo"});
    ASSERT_GT(send(slow, frame.data(), 5, MSG_NOSIGNAL), 0);

    // Garbage, an oversized header, and a frame cut off by the client's end.
    int garbage = RawSocket();
    ASSERT_GT(send(garbage, "\x03\x00\x00\x00\x77zz", 7, MSG_NOSIGNAL), 0);
    int oversized = RawSocket();
    ASSERT_GT(send(oversized, "\x00\x00\x20\x00", 4, MSG_NOSIGNAL), 0);
    int truncated = RawSocket();
    ASSERT_GT(send(truncated, frame.data(), frame.size() - 1, MSG_NOSIGNAL), 0);
    DdeCloseSocket(truncated);
    // A transaction before any connect.
    int early = RawSocket();
    std::string txFrame = EncodeDdeFrame({.kind = DdeMessageKind::Transaction, .type = XTYP_REQUEST});
    ASSERT_GT(send(early, txFrame.data(), txFrame.size(), MSG_NOSIGNAL), 0);

    std::optional<std::string> answer;
    RunClient([&] {
        TestClient c;
        if (c.Connect(service, "Echo")) answer = c.Request("still here");
    });
    EXPECT_EQ(answer, WithNul("still here"));

    // Each bad connection was closed by the server: reading gives its end.
    for (int fd : {garbage, oversized, early}) {
        SpinUntil([&] { return DdeWaitReadable(fd, DdeNowMs()); });
        std::string rest;
        EXPECT_EQ(DdeReadSome(fd, rest, 100), DdeReadOutcome::Closed) << fd;
        DdeCloseSocket(fd);
    }
    // The slow one is still open, and no connect reached the callback for it.
    std::string nothing;
    EXPECT_EQ(DdeReadSome(slow, nothing, 100), DdeReadOutcome::WouldBlock);
    DdeCloseSocket(slow);
    EXPECT_EQ(std::count(log.events.begin(), log.events.end(), "confirm"), 1);
}

TEST_F(DdemlTest, TimeOutsAndAServerThatWentAwayAreReportedAsSuch) {
    // An answer that never comes: the server thread is not turning its loop.
    TestClient c;
    RunClient([&] { ASSERT_TRUE(c.Connect(service, "Echo")); });
    gint64 start = g_get_monotonic_time();
    std::thread([&] { EXPECT_EQ(c.Request("late", CF_TEXT, 300), std::nullopt); }).join();
    gint64 took = (g_get_monotonic_time() - start) / 1000;
    EXPECT_EQ(c.lastError, DMLERR_DATAACKTIMEOUT);
    EXPECT_GE(took, 250);
    EXPECT_LT(took, 2000);
    // The late answer is dropped; the next request gets its own.
    std::optional<std::string> next, gone = "x";
    RunClient([&] { next = c.Request("next"); });
    EXPECT_EQ(next, WithNul("next"));

    DdeUninitialize(log.instance);  // the server ends
    RunClient([&] { gone = c.Request("x", CF_TEXT, 2000); });
    EXPECT_EQ(gone, std::nullopt);
    EXPECT_EQ(c.lastError, DMLERR_SERVER_DIED);
    EXPECT_FALSE(DdeDisconnect(c.conv));  // already ended
    c.conv = nullptr;
    EXPECT_FALSE(c.Connect(service, "Echo"));
}

TEST_F(DdemlTest, ASecondServerOfTheServiceIsRefusedAndAStaleSocketReplaced) {
    TestClient other;
    EXPECT_EQ(DdeNameService(other.instance, other.Hsz(service), nullptr, DNS_REGISTER), nullptr);
    EXPECT_EQ(DdeGetLastError(other.instance), DMLERR_DLL_USAGE);

    // A socket file whose server died is taken over.
    std::string stalePath = *DdeSocketPath("STALE");
    int fd = DdeListenSocket(stalePath);
    ASSERT_GE(fd, 0);
    DdeCloseSocket(fd);  // the file stays, nobody listens
    EXPECT_TRUE(DdeNameService(other.instance, other.Hsz("STALE"), nullptr, DNS_REGISTER));
    EXPECT_TRUE(DdeNameService(other.instance, nullptr, nullptr, DNS_UNREGISTER));
    struct stat st {};
    EXPECT_NE(stat(stalePath.c_str(), &st), 0);
}

TEST_F(DdemlTest, ConnectionsFromAnotherUserAreRefused) {
    if (getuid() != 0) GTEST_SKIP() << "needs root to act as another user";
    std::string path = *DdeSocketPath(service);
    chmod(runtime.Dir().c_str(), 0777);
    chmod((runtime.Dir() + "/fern").c_str(), 0777);
    chmod(path.c_str(), 0666);
    int status = test::RunAsNobody([&] {
        int fd = DdeConnectSocket(path);  // our own check refuses a root server...
        if (fd >= 0) return 4;
        // ...so speak to it raw: the server must end the connection unanswered.
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        std::strcpy(address.sun_path, path.c_str());
        int raw = socket(AF_UNIX, SOCK_STREAM, 0);
        if (connect(raw, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) return 5;
        std::string frame =
            EncodeDdeFrame({.kind = DdeMessageKind::Connect, .service = "x", .topic = "Echo"});
        if (send(raw, frame.data(), frame.size(), MSG_NOSIGNAL) < 0) return 0;
        char byte;
        return recv(raw, &byte, 1, 0) <= 0 ? 0 : 1;
    });
    EXPECT_EQ(status, 0);
    EXPECT_TRUE(log.events.empty());
}
