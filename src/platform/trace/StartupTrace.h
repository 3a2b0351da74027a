#pragma once
// The start-up trace: with FERN_TRACE=1 in the environment, one line on
// standard error per phase of the start, with the time since the process
// began, so the cost of each step can be read off (the browser benchmark
// reads these lines). Without it every call is a test of one flag.
#include <string>
#include <string_view>

namespace fern {

// Whether FERN_TRACE is set to something other than "" or "0".
bool StartupTraceOn();
// "fern-trace: <ms> <phase>", the first time `phase` is marked. Returns
// whether a line was written.
bool TracePhase(std::string_view phase);
// The same for phases that recur (deferred tasks): every call is written.
void TraceEvent(std::string_view phase);

// The line for a phase at `ms` after the process began.
std::string TraceLine(double ms, std::string_view phase);
// Milliseconds from the process's start (its start time in clock ticks since
// boot, from /proc/self/stat) to `nowMs` on the boot-time clock; the ticks
// make it exact to 10 ms, so the lines are compared with each other rather
// than read as absolute times.
double MsSinceProcessStart(double processStartMs, double nowMs);
// Field 22 of /proc/self/stat (the start in clock ticks since boot) in
// milliseconds; -1 when the line cannot be read.
double ProcessStartMsFromStat(std::string_view statLine, long ticksPerSecond);

}  // namespace fern
