#include "fernctl/FernctlRunner.h"

#include <gio/gio.h>
#include <glib/gstdio.h>
#include <unistd.h>
#include <gtest/gtest.h>

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
    std::vector<const char*> argv{FERNCTL_PATH};
    for (const std::string& arg : args) argv.push_back(arg.c_str());
    argv.push_back(nullptr);
    FernctlRun run;
    GError* error = nullptr;
    // The input comes from a file: a command refused before it reads its
    // input would otherwise break the pipe and kill the test with SIGPIPE.
    gchar* inputPath = nullptr;
    gint fd = g_file_open_tmp("fernctl-input-XXXXXX", &inputPath, &error);
    if (fd < 0 || !g_file_set_contents(inputPath, input.data(), static_cast<gssize>(input.size()), &error)) {
        ADD_FAILURE() << error->message;
        g_error_free(error);
        if (fd >= 0) close(fd);
        g_free(inputPath);
        return run;
    }
    close(fd);
    GSubprocessLauncher* launcher = g_subprocess_launcher_new(
        static_cast<GSubprocessFlags>(G_SUBPROCESS_FLAGS_STDOUT_PIPE | G_SUBPROCESS_FLAGS_STDERR_PIPE));
    g_subprocess_launcher_set_stdin_file_path(launcher, inputPath);
    GSubprocess* process = g_subprocess_launcher_spawnv(launcher, argv.data(), &error);
    g_object_unref(launcher);
    if (!process) {
        ADD_FAILURE() << error->message;
        g_error_free(error);
    } else {
        GBytes *out = nullptr, *err = nullptr;
        if (!g_subprocess_communicate(process, nullptr, nullptr, &out, &err, &error)) {
            ADD_FAILURE() << error->message;
            g_error_free(error);
        }
        run.out = TakeBytes(out);
        run.err = TakeBytes(err);
        if (g_subprocess_get_if_exited(process)) run.status = g_subprocess_get_exit_status(process);
        g_object_unref(process);
    }
    g_unlink(inputPath);
    g_free(inputPath);
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
