#pragma once
// Shared by the request-channel tests: a runtime folder of the test's own,
// clients that run on a thread while this thread turns the main loop that
// serves them, and a browser whose tabs the test sets.
#include <glib.h>
#include <sys/wait.h>
#include <unistd.h>
#include <csignal>

#include <atomic>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "lists/TempFolder.h"
#include "platform/dde/Ddeml.h"
#include "tools/dde/DdeBrowser.h"

namespace fern::test {

// XDG_RUNTIME_DIR points at a fresh folder while the object lives.
class ScopedRuntimeDir {
public:
    ScopedRuntimeDir() {
        if (const char* old = g_getenv("XDG_RUNTIME_DIR")) m_old = old;
        g_setenv("XDG_RUNTIME_DIR", m_folder.Path().c_str(), TRUE);
    }
    ~ScopedRuntimeDir() {
        if (m_old) g_setenv("XDG_RUNTIME_DIR", m_old->c_str(), TRUE);
        else g_unsetenv("XDG_RUNTIME_DIR");
    }
    const std::string& Dir() const { return m_folder.Path(); }

private:
    fern::testing::TempFolder m_folder;
    std::optional<std::string> m_old;
};

// Runs `client` on a thread and turns the default main context until it is
// done (at most `seconds`).
template <typename F>
void RunClient(F&& client, int seconds = 20) {
    std::atomic<bool> done{false};
    std::thread t([&] {
        client();
        done = true;
        g_main_context_wakeup(nullptr);
    });
    gint64 deadline = g_get_monotonic_time() + seconds * G_USEC_PER_SEC;
    while (!done && g_get_monotonic_time() < deadline) g_main_context_iteration(nullptr, TRUE);
    t.join();
}

// Turns the main loop until `pred` holds or `ms` pass.
template <typename P>
bool SpinUntil(P&& pred, int ms = 3000) {
    gint64 deadline = g_get_monotonic_time() + ms * 1000;
    while (!pred() && g_get_monotonic_time() < deadline) g_main_context_iteration(nullptr, FALSE);
    return pred();
}

// Runs `child` in a forked process as user and group 65534 (needs root)
// while this one turns the main loop; the child's exit status, or -1.
template <typename F>
int RunAsNobody(F&& child) {
    pid_t pid = fork();
    if (pid == 0) {
        if (setgid(65534) != 0 || setuid(65534) != 0) _exit(3);
        _exit(child());
    }
    int status = -1;
    gint64 deadline = g_get_monotonic_time() + 10 * G_USEC_PER_SEC;
    pid_t done = 0;
    while ((done = waitpid(pid, &status, WNOHANG)) == 0 && g_get_monotonic_time() < deadline)
        g_main_context_iteration(nullptr, FALSE);
    if (done == 0) {
        // A child that hangs (a lock another thread held when it was forked)
        // fails the test; left alive it would keep the test run waiting.
        kill(pid, SIGKILL);
        waitpid(pid, &status, 0);
        return -1;
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

inline std::string UniqueService(const char* prefix) { return prefix + std::to_string(getpid()); }

// A text answer as it travels: with its NUL.
inline std::string WithNul(const std::string& text) { return text + '\0'; }

// A client instance with one conversation, for use on a client thread.
class TestClient {
public:
    DWORD instance = 0;
    HCONV conv = nullptr;
    UINT lastError = 0;

    // A client with a `callback` hears advises on the thread-default main
    // context of the thread that makes it.
    explicit TestClient(PFNCALLBACK callback = nullptr) { DdeInitializeA(&instance, callback, 0, 0); }
    ~TestClient() { DdeUninitialize(instance); }
    TestClient(const TestClient&) = delete;
    TestClient& operator=(const TestClient&) = delete;

    HSZ Hsz(const std::string& text) { return DdeCreateStringHandleA(instance, text.c_str(), CP_WINANSI); }
    bool Connect(const std::string& service, const std::string& topic) {
        if (conv) DdeDisconnect(conv);
        conv = DdeConnect(instance, Hsz(service), Hsz(topic), nullptr);
        lastError = conv ? 0 : DdeGetLastError(instance);
        return conv != nullptr;
    }
    // The answer's bytes; nullopt when not processed.
    std::optional<std::string> Request(const std::string& item, UINT format = CF_TEXT,
                                       DWORD timeoutMs = 5000) {
        HDDEDATA data = DdeClientTransaction(nullptr, 0, conv, item.empty() ? nullptr : Hsz(item), format,
                                             XTYP_REQUEST, timeoutMs, nullptr);
        if (!data) {
            lastError = DdeGetLastError(instance);
            return std::nullopt;
        }
        DWORD size = 0;
        unsigned char* bytes = DdeAccessData(data, &size);
        std::string answer(reinterpret_cast<char*>(bytes), size);
        DdeFreeDataHandle(data);
        return answer;
    }
    // The flags of the answer (DDE_FACK, 0).
    DWORD Send(UINT type, const std::string& item, const std::string& data) {
        DWORD result = 0;
        DdeClientTransaction(data.c_str(), static_cast<DWORD>(data.size() + 1), conv,
                             item.empty() ? nullptr : Hsz(item), CF_TEXT, type, 5000, &result);
        return result;
    }
    std::vector<std::string> WildConnect(const std::optional<std::string>& service,
                                         const std::optional<std::string>& topic) {
        std::vector<DdeServiceTopic> pairs;
        DdeQueryWildConnect(instance, service ? Hsz(*service) : nullptr, topic ? Hsz(*topic) : nullptr,
                            pairs);
        std::vector<std::string> out;
        for (const auto& p : pairs) out.push_back(p.service + "|" + p.topic);
        return out;
    }
};

class FakeDdeBrowser : public IDdeBrowser {
public:
    struct Tab {
        std::string url, title;
    };
    std::vector<Tab> tabs;
    int active = -1;
    bool inTray = false;
    std::vector<std::string> opened;
    int restored = 0, trayRestores = 0, closes = 0;

    int TabCount() const override { return static_cast<int>(tabs.size()); }
    int ActiveTab() const override { return active; }
    std::string TabUrl(int i) const override { return tabs.at(i).url; }
    std::string TabTitle(int i) const override { return tabs.at(i).title; }
    void OpenUrl(const std::string& text, int flags, std::uint32_t dlc, int mode) override {
        opened.push_back(text + " " + std::to_string(flags) + " " + std::to_string(static_cast<int>(dlc)) +
                         " " + std::to_string(mode));
    }
    bool HiddenInTray() const override { return inTray; }
    void PostRestoreFromTray() override { ++trayRestores; }
    void PostClose() override { ++closes; }
    void RestoreWindow() override { ++restored; }
};

}  // namespace fern::test
