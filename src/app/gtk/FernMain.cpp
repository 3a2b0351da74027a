#include "app/gtk/FernMain.h"

#include "app/gtk/Browser.h"
#include "app/gtk/ProgramStart.h"
#include "platform/shell/SingleInstance.h"
#include "platform/trace/StartupTrace.h"

namespace fern {

int RunFern(int argc, char** argv) {
    TracePhase("main");
    CInstanceLock lock;
    ProgramStart start = StartProgram(argc, argv, lock);
    if (!start.run) return start.exitCode;
    Browser browser(start);
    return browser.Run();
}

}  // namespace fern
