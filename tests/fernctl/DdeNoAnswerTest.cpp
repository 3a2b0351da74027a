// fernctl against servers that stop answering: each command that talks to
// the browser tells "no answer" (4) from "not processed" (1) and "no browser"
// (3), whether the silence comes at the connect or at the request.
#include <gtest/gtest.h>

#include <sys/socket.h>

#include <algorithm>
#include <atomic>
#include <thread>
#include <vector>

#include "fernctl/FernctlRunner.h"
#include "platform/dde/DdeFrame.h"
#include "platform/dde/DdeServiceName.h"
#include "platform/dde/DdeSocket.h"
#include "tools/dde/DdeTestSupport.h"

using namespace fern;

namespace {

enum class Behaviour {
    Silent,       // reads and never answers
    CloseAtOnce,  // hangs up as soon as it has a connection
    ConnectThenSilent,
    ConnectThenClose,
};

// A stand-in service on a socket of the runtime folder; one thread per
// connection, so that many clients can wait on it at once.
class BadService {
public:
    BadService(const std::string& name, Behaviour behaviour) : m_behaviour(behaviour) {
        m_listen = DdeListenSocket(*DdeSocketPath(name));
        EXPECT_GE(m_listen, 0);
        m_acceptor = std::thread([this] { Accept(); });
    }
    ~BadService() {
        m_stop = true;
        shutdown(m_listen, SHUT_RDWR);
        m_acceptor.join();
        for (std::thread& t : m_connections) t.join();
        DdeCloseSocket(m_listen);
    }

private:
    Behaviour m_behaviour;
    int m_listen = -1;
    std::atomic<bool> m_stop{false};
    std::thread m_acceptor;
    std::vector<std::thread> m_connections;

    void Accept() {
        while (!m_stop) {
            if (!DdeWaitReadable(m_listen, DdeNowMs() + 100)) continue;
            int fd = DdeAcceptSocket(m_listen);
            if (fd >= 0) m_connections.emplace_back([this, fd] { Serve(fd); });
        }
    }

    // Reads one frame; false when the client went away first.
    static bool ReadFrame(int fd, std::string& buffer, DdeMessage& message) {
        for (;;) {
            DdeDecodeResult result = DecodeDdeFrame(buffer);
            if (result.status == DdeDecodeStatus::Complete) {
                buffer.erase(0, result.consumed);
                message = result.message;
                return true;
            }
            if (result.status != DdeDecodeStatus::NeedMore) return false;
            DdeWaitReadable(fd, DdeNowMs() + 10000);
            if (DdeReadSome(fd, buffer, 65536) == DdeReadOutcome::Closed) return false;
        }
    }

    void Serve(int fd) {
        std::string buffer;
        DdeMessage message;
        bool answerConnect =
            m_behaviour == Behaviour::ConnectThenSilent || m_behaviour == Behaviour::ConnectThenClose;
        if (m_behaviour != Behaviour::CloseAtOnce && ReadFrame(fd, buffer, message) && answerConnect &&
            message.kind == DdeMessageKind::Connect) {
            DdeMessage reply;
            reply.kind = DdeMessageKind::ConnectReply;
            reply.accepted = true;
            DdeWriteAll(fd, EncodeDdeFrame(reply), DdeNowMs() + 1000);
            if (m_behaviour == Behaviour::ConnectThenSilent) ReadFrame(fd, buffer, message);
        }
        bool silent = m_behaviour == Behaviour::Silent || m_behaviour == Behaviour::ConnectThenSilent;
        // Silence lasts until the client gives up and hangs up.
        while (silent && ReadFrame(fd, buffer, message)) {}
        DdeCloseSocket(fd);
    }
};

const std::vector<std::vector<std::string>> kCommands = {
    {"open", "http://a/"},
    {"windows"},
    {"info", "1"},
    {"activate"},
    {"exit"},
    {"dde", "request", "WWW_ListWindows", "0xFFFFFFFF"},
    {"dde", "poke", "WWW_Exit", "x", "data"},
    {"dde", "execute", "WWW_OpenURL", "[x]"},
    {"dde", "system", "Topics"},
    {"dde", "wildconnect"},
};

// Every command at once against the service; their runs in command order.
std::vector<test::FernctlRun> RunAll(const std::string& service) {
    std::vector<test::FernctlRun> runs(kCommands.size());
    std::vector<std::thread> threads;
    for (std::size_t i = 0; i < kCommands.size(); ++i)
        threads.emplace_back([&, i] {
            std::vector<std::string> args = kCommands[i];
            args.insert(args.begin() + 1, {"--service", service});
            runs[i] = test::RunFernctl(args);
        });
    for (std::thread& t : threads) t.join();
    return runs;
}

}  // namespace

TEST(FernctlNoAnswer, ASilentOrClosingBrowserExitsFourWithOneLine) {
    struct Case {
        const char* what;
        Behaviour behaviour;
        const char* says;
    } cases[] = {
        {"silent at the connect", Behaviour::Silent, "within 5 seconds"},
        {"closed at the connect", Behaviour::CloseAtOnce, "closed the conversation"},
        // A wild connect has no conversation: it meets these at its first message.
        {"silent at the request", Behaviour::ConnectThenSilent, "within 5 seconds"},
        {"closed at the request", Behaviour::ConnectThenClose, "closed the conversation"},
    };
    test::ScopedRuntimeDir runtime;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::string service = test::UniqueService("HUSH") + std::to_string(static_cast<int>(c.behaviour));
        BadService bad(service, c.behaviour);
        gint64 start = g_get_monotonic_time();
        std::vector<test::FernctlRun> runs = RunAll(service);
        EXPECT_LT(g_get_monotonic_time() - start, 15 * G_USEC_PER_SEC);
        for (std::size_t i = 0; i < runs.size(); ++i) {
            SCOPED_TRACE(kCommands[i][0] + " " + (kCommands[i].size() > 1 ? kCommands[i][1] : ""));
            const test::FernctlRun& run = runs[i];
            EXPECT_EQ(run.status, 4) << run.err;
            EXPECT_EQ(run.out, "");
            EXPECT_EQ(run.err.rfind("fernctl: ", 0), 0u) << run.err;
            EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;
            EXPECT_NE(run.err.find(c.says), std::string::npos) << run.err;
        }
    }
}
