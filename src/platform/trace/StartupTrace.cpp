#include "platform/trace/StartupTrace.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <fstream>
#include <mutex>
#include <set>

namespace fern {

namespace {

double BootTimeMs() {
    timespec now{};
    clock_gettime(CLOCK_BOOTTIME, &now);
    return static_cast<double>(now.tv_sec) * 1000.0 + static_cast<double>(now.tv_nsec) / 1e6;
}

double ProcessStartMs() {
    static const double start = [] {
        std::ifstream stat("/proc/self/stat");
        std::string line;
        std::getline(stat, line);
        double ms = ProcessStartMsFromStat(line, sysconf(_SC_CLK_TCK));
        // Unreadable: count from the first mark instead.
        return ms >= 0 ? ms : BootTimeMs();
    }();
    return start;
}

std::mutex& TraceMutex() {
    static std::mutex mutex;
    return mutex;
}

void Write(std::string_view phase) {
    std::string line = TraceLine(MsSinceProcessStart(ProcessStartMs(), BootTimeMs()), phase);
    std::fputs(line.c_str(), stderr);
}

}  // namespace

bool StartupTraceOn() {
    static const bool on = [] {
        const char* value = std::getenv("FERN_TRACE");
        return value && *value && std::string_view(value) != "0";
    }();
    return on;
}

bool TracePhase(std::string_view phase) {
    if (!StartupTraceOn()) return false;
    std::lock_guard lock(TraceMutex());
    static std::set<std::string, std::less<>> seen;
    if (seen.count(phase)) return false;
    seen.emplace(phase);
    Write(phase);
    return true;
}

void TraceEvent(std::string_view phase) {
    if (!StartupTraceOn()) return;
    std::lock_guard lock(TraceMutex());
    Write(phase);
}

std::string TraceLine(double ms, std::string_view phase) {
    char number[32];
    std::snprintf(number, sizeof number, "%.1f", ms);
    std::string line = "fern-trace: ";
    line += number;
    line += " ms ";
    // One line per phase, whatever a caller passes.
    for (char c : phase) line += (c == '\n' || c == '\r') ? ' ' : c;
    line += '\n';
    return line;
}

double MsSinceProcessStart(double processStartMs, double nowMs) {
    double ms = nowMs - processStartMs;
    return ms < 0 ? 0 : ms;
}

double ProcessStartMsFromStat(std::string_view statLine, long ticksPerSecond) {
    // The command name (field 2) is in parentheses and may hold spaces and
    // parentheses itself: fields are counted after its last ")".
    std::size_t close = statLine.rfind(')');
    if (close == std::string_view::npos || ticksPerSecond <= 0) return -1;
    std::string_view rest = statLine.substr(close + 1);
    int field = 2;
    std::size_t pos = 0;
    while (pos < rest.size()) {
        while (pos < rest.size() && rest[pos] == ' ') ++pos;
        std::size_t end = rest.find(' ', pos);
        if (end == std::string_view::npos) end = rest.size();
        if (pos == end) break;
        if (++field == 22) {
            std::string ticks(rest.substr(pos, end - pos));
            char* stop = nullptr;
            unsigned long long value = std::strtoull(ticks.c_str(), &stop, 10);
            if (stop == ticks.c_str() || *stop) return -1;
            return static_cast<double>(value) * 1000.0 / static_cast<double>(ticksPerSecond);
        }
        pos = end;
    }
    return -1;
}

}  // namespace fern
