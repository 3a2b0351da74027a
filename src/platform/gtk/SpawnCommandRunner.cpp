#include "platform/gtk/SpawnCommandRunner.h"

#include <glib.h>
#include <sys/wait.h>

#include "platform/text/Encoding.h"

namespace fern {

CommandResult SpawnCommandRunner::Run(const std::vector<std::string>& argv) {
    CommandResult result;
    if (argv.empty()) return result;
    std::vector<std::string> utf8;
    for (const std::string& arg : argv) utf8.push_back(ToUtf8(arg));
    std::vector<gchar*> args;
    for (std::string& arg : utf8) args.push_back(arg.data());
    args.push_back(nullptr);

    gchar* out = nullptr;
    gchar* err = nullptr;
    gint status = 0;
    GError* error = nullptr;
    if (!g_spawn_sync(nullptr, args.data(), nullptr, G_SPAWN_SEARCH_PATH, nullptr, nullptr, &out, &err,
                      &status, &error)) {
        result.error = FromUtf8(error ? error->message : "cannot start");
        if (error) g_error_free(error);
        return result;
    }
    result.started = true;
    result.exitStatus = WIFEXITED(status) ? WEXITSTATUS(status) : -1;  // killed: a failure
    result.output = FromUtf8(out ? out : "");
    result.error = FromUtf8(err ? err : "");
    g_free(out);
    g_free(err);
    return result;
}

}  // namespace fern
