#include "app/gtk/ProgramStart.h"

#include <gtkmm.h>

#include <cstdio>
#include <vector>

#include "app/DataFolder.h"
#include "platform/shell/HandOff.h"
#include "platform/shell/HandOffRetry.h"
#include "platform/shell/SingleInstance.h"
#include "platform/text/Encoding.h"
#include "platform/trace/StartupTrace.h"

namespace fern {

namespace {

const char kLockName[] = "/FernBrowserApp.lock";
const char kSocketName[] = "/FernBrowserApp.sock";

// A later start: every argument goes to the running browser, which is then
// asked for attention; this process ends either way. A browser still starting
// up is waited for while it holds the lock.
int HandOff(const std::string& socketPath, const std::string& lockPath, const CommandLine& commandLine) {
    std::vector<HandOffMessage> messages;
    for (const std::string& arg : commandLine.arguments) {
        std::size_t start = arg.find_first_not_of(" \t\r\n");
        messages.push_back({0, start == std::string::npos ? std::string() : arg.substr(start)});
    }
    HandOffPatience patience;
    patience.holderAlive = [&] { return InstanceLockHeld(lockPath); };
    std::string error;
    if (SendHandOffWhenReady(socketPath, messages, patience, &error) == HandOffResult::Taken) return 0;
    Complain("no running window took the arguments (" + error + ")");
    return 1;
}

ProgramStart Fail(int code, const std::string& why) {
    Complain(why);
    ProgramStart start;
    start.exitCode = code;
    return start;
}

}  // namespace

void Complain(const std::string& sjis) { std::fprintf(stderr, "fern: %s\n", ToUtf8(sjis).c_str()); }

std::string HandOffSocketPath(const std::string& runtimeFolder) { return runtimeFolder + kSocketName; }

ProgramStart StartProgram(int argc, char** argv, CInstanceLock& lock) {
    ProgramStart start;
    start.commandLine = ParseCommandLine(argc, argv);
    if (!start.commandLine.Ok()) return Fail(2, start.commandLine.error);
    if (start.commandLine.version) {
        std::printf("Fern Browser %d.%d.%d\n", FERN_VERSION_MAJOR, FERN_VERSION_MINOR, FERN_VERSION_PATCH);
        return start;
    }
    std::string error;
    std::optional<std::string> runtime = RuntimeFolder(&error);
    if (!runtime) return Fail(1, "no runtime folder: " + error);
    start.runtimeFolder = *runtime;
    if (!lock.Acquire(*runtime + kLockName, &error)) {
        start.exitCode = HandOff(HandOffSocketPath(*runtime), *runtime + kLockName, start.commandLine);
        return start;
    }
    TracePhase("single-instance check");
    if (!gtk_init_check(&argc, &argv)) return Fail(1, "cannot open the display");
    TracePhase("display open (GTK)");
    Gtk::Main::init_gtkmm_internals();
    // GTK took its own options out of argv.
    start.commandLine = ParseCommandLine(argc, argv);
    std::optional<std::string> folder = ResolveDataFolder(start.commandLine, &error);
    if (!folder) return Fail(1, "no data folder: " + error);
    start.dataFolder = *folder;
    TracePhase("data folder");
    start.run = true;
    return start;
}

}  // namespace fern
