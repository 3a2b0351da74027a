#pragma once
// Work that runs from the main loop (signal handlers, async answers): an
// exception must not escape into GLib. A failure is logged and dropped.
#include <cstdio>
#include <exception>

namespace fern {

template <class Body>
void Guard(const char* where, Body&& body) {
    try {
        body();
    } catch (const std::exception& e) {
        std::fprintf(stderr, "fern: %s: %s\n", where, e.what());
    } catch (...) {
        std::fprintf(stderr, "fern: %s: unknown exception\n", where);
    }
}

}  // namespace fern
