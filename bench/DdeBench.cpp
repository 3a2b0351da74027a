// The browser's request server under load: one client asking for window
// info 1,000 times in a row, and 20 clients asking at once. The server runs
// on a thread of its own, turning its own main loop as the browser's does.
#include <benchmark/benchmark.h>
#include <glib.h>
#include <unistd.h>

#include <atomic>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

#include "platform/dde/Ddeml.h"
#include "tools/dde/FernDDEClient.h"

namespace {

using namespace fern;

class BenchBrowser : public IDdeBrowser {
public:
    int TabCount() const override { return 3; }
    int ActiveTab() const override { return 0; }
    std::string TabUrl(int i) const override {
        return "http://127.0.0.1:8080/page" + std::to_string(i) + ".html";
    }
    std::string TabTitle(int) const override { return "ベンチマークのページ"; }
    void OpenUrl(const std::string&, int, std::uint32_t, int) override {}
    bool HiddenInTray() const override { return false; }
    void PostRestoreFromTray() override {}
    void PostClose() override {}
    void RestoreWindow() override {}
};

// The server thread and a runtime folder of the benchmark's own.
class ServerThread {
public:
    ServerThread() {
        char pattern[] = "/tmp/fern-ddebench-XXXXXX";
        m_dir = g_mkdtemp(pattern);
        g_setenv("XDG_RUNTIME_DIR", m_dir.c_str(), TRUE);
        m_thread = std::thread([this] { Run(); });
        while (!m_ready) g_usleep(1000);
    }
    ~ServerThread() {
        m_stop = true;
        g_main_context_wakeup(m_context);
        m_thread.join();
        std::string command = "rm -rf '" + m_dir + "'";
        if (std::system(command.c_str()) != 0) {}
    }
    bool Ok() const { return m_ok; }
    const std::string& Service() const { return m_service; }

private:
    std::string m_dir;
    std::string m_service = "FERNBENCH" + std::to_string(getpid());
    GMainContext* m_context = g_main_context_new();
    std::thread m_thread;
    std::atomic<bool> m_ready{false}, m_stop{false}, m_ok{false};

    void Run() {
        g_main_context_push_thread_default(m_context);
        {
            BenchBrowser browser;
            CFernDDEClient server(browser);
            m_ok = server.Create(m_service);
            if (m_ok) server.AddBrowserTopics();
            m_ready = true;
            while (!m_stop) g_main_context_iteration(m_context, TRUE);
        }
        g_main_context_pop_thread_default(m_context);
        g_main_context_unref(m_context);
    }
};

class Client {
public:
    explicit Client(const std::string& service) {
        DdeInitializeA(&m_instance, nullptr, 0, 0);
        m_item = DdeCreateStringHandleA(m_instance, "1", CP_WINANSI);
        HSZ hszService = DdeCreateStringHandleA(m_instance, service.c_str(), CP_WINANSI);
        HSZ topic = DdeCreateStringHandleA(m_instance, "WWW_GetWindowInfo", CP_WINANSI);
        m_conv = DdeConnect(m_instance, hszService, topic, nullptr);
    }
    ~Client() { DdeUninitialize(m_instance); }
    bool Connected() const { return m_conv != nullptr; }
    // One window-info request; false unless the full answer came.
    bool Ask() {
        HDDEDATA data =
            DdeClientTransaction(nullptr, 0, m_conv, m_item, CF_TEXT, XTYP_REQUEST, 5000, nullptr);
        if (!data) return false;
        DWORD size = 0;
        DdeAccessData(data, &size);
        DdeFreeDataHandle(data);
        return size > 10;
    }

private:
    DWORD m_instance = 0;
    HSZ m_item = nullptr;
    HCONV m_conv = nullptr;
};

void BM_DdeWindowInfo1000Sequential(benchmark::State& state) {
    ServerThread server;
    Client client(server.Service());
    if (!server.Ok() || !client.Connected()) {
        state.SkipWithError("the server did not start");
        return;
    }
    int errors = 0;
    for (auto _ : state)
        for (int i = 0; i < 1000; ++i) errors += client.Ask() ? 0 : 1;
    state.counters["errors"] = errors;
    if (errors) state.SkipWithError("requests failed");
}
BENCHMARK(BM_DdeWindowInfo1000Sequential)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_DdeTwentyClientsAtOnce(benchmark::State& state) {
    ServerThread server;
    if (!server.Ok()) {
        state.SkipWithError("the server did not start");
        return;
    }
    std::atomic<int> errors{0};
    for (auto _ : state) {
        std::vector<std::thread> clients;
        for (int c = 0; c < 20; ++c)
            clients.emplace_back([&] {
                Client client(server.Service());
                if (!client.Connected()) {
                    errors += 100;
                    return;
                }
                for (int i = 0; i < 100; ++i) errors += client.Ask() ? 0 : 1;
            });
        for (std::thread& t : clients) t.join();
    }
    state.counters["errors"] = errors.load();
    if (errors) state.SkipWithError("requests failed");
}
BENCHMARK(BM_DdeTwentyClientsAtOnce)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
