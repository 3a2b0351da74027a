#include "fernctl/FernctlRunner.h"

#include <gio/gio.h>
#include <gtest/gtest.h>

#include <thread>

#include "lists/TempFolder.h"

namespace fern::test {

namespace {

std::string TakeBytes(GBytes* bytes) {
    if (!bytes) return std::string();
    gsize size = 0;
    const char* data = static_cast<const char*>(g_bytes_get_data(bytes, &size));
    std::string text(data ? data : "", size);
    g_bytes_unref(bytes);
    return text;
}

}  // namespace

FernctlRun RunFernctl(const std::vector<std::string>& args, const std::string& input) {
    // The input comes from a file: a command refused before it reads its
    // input would otherwise break the pipe and kill the test with SIGPIPE.
    fern::testing::TempFolder folder;
    fern::testing::WriteBytes(folder.File("input"), input);
    return RunFernctlReading(args, folder.File("input"));
}

FernctlRun RunFernctlReading(const std::vector<std::string>& args, const std::string& inputPath,
                             int timeoutSeconds) {
    std::vector<const char*> argv{FERNCTL_PATH};
    for (const std::string& arg : args) argv.push_back(arg.c_str());
    argv.push_back(nullptr);
    GSubprocessLauncher* launcher = g_subprocess_launcher_new(
        static_cast<GSubprocessFlags>(G_SUBPROCESS_FLAGS_STDOUT_PIPE | G_SUBPROCESS_FLAGS_STDERR_PIPE));
    g_subprocess_launcher_set_stdin_file_path(launcher, inputPath.c_str());
    GError* error = nullptr;
    gint64 start = g_get_monotonic_time();
    GSubprocess* process = g_subprocess_launcher_spawnv(launcher, argv.data(), &error);
    g_object_unref(launcher);
    // A run that hangs is killed, so that the test reports it and goes on.
    // (GLib's wait: <chrono> does not compile with the Shift-JIS execution charset.)
    GMutex mutex;
    GCond finished;
    g_mutex_init(&mutex);
    g_cond_init(&finished);
    bool done = false, killed = false;
    std::thread watchdog([&] {
        gint64 end = g_get_monotonic_time() + timeoutSeconds * G_USEC_PER_SEC;
        g_mutex_lock(&mutex);
        while (!done && g_cond_wait_until(&finished, &mutex, end)) {}
        if (!done && process) {
            killed = true;
            g_subprocess_force_exit(process);
        }
        g_mutex_unlock(&mutex);
    });
    GBytes *out = nullptr, *err = nullptr;
    if (!process || !g_subprocess_communicate(process, nullptr, nullptr, &out, &err, &error)) {
        ADD_FAILURE() << error->message;
        g_error_free(error);
    }
    g_mutex_lock(&mutex);
    done = true;
    g_cond_signal(&finished);
    g_mutex_unlock(&mutex);
    watchdog.join();
    g_cond_clear(&finished);
    g_mutex_clear(&mutex);
    FernctlRun run{-1, TakeBytes(out), TakeBytes(err), killed,
                   static_cast<double>(g_get_monotonic_time() - start) / G_USEC_PER_SEC};
    if (process && g_subprocess_get_if_exited(process)) run.status = g_subprocess_get_exit_status(process);
    if (process) g_object_unref(process);
    return run;
}

FernctlRun RunFernctlWords(const std::string& words, const std::string& input) {
    gint argc = 0;
    gchar** argv = nullptr;
    GError* error = nullptr;
    if (!g_shell_parse_argv(words.c_str(), &argc, &argv, &error)) {
        ADD_FAILURE() << error->message;
        g_error_free(error);
        return FernctlRun{};
    }
    std::vector<std::string> args(argv, argv + argc);
    g_strfreev(argv);
    return RunFernctl(args, input);
}

void ExpectRefused(const FernctlRun& run, const std::string& says) {
    EXPECT_EQ(run.status, 2) << run.err;
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err.rfind("fernctl: ", 0), 0u) << run.err;
    EXPECT_EQ(run.err.find('\n'), run.err.size() - 1) << run.err;
    EXPECT_NE(run.err.find(says), std::string::npos) << run.err;
}

}  // namespace fern::test
