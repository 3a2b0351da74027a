#pragma once
// The browser's start: single instance and hand-off, data folder and
// settings, the main window and the first tabs; then the main loop.

namespace fern {

int RunFern(int argc, char** argv);

}  // namespace fern
