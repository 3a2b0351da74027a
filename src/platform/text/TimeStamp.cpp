#include "platform/text/TimeStamp.h"

#include <time.h>

#include <cstdio>

namespace fern {

std::string TimeStampText(const std::tm& local, int milliseconds) {
    static const char* const kWeekdays[] = {"日", "月", "火", "水", "木", "金", "土"};
    int wday = (local.tm_wday >= 0 && local.tm_wday < 7) ? local.tm_wday : 0;
    char buf[96];
    std::snprintf(buf, sizeof buf, "%04d-%02d-%02d(%s)%02d-%02d-%02d-%d", local.tm_year + 1900,
                  local.tm_mon + 1, local.tm_mday, kWeekdays[wday], local.tm_hour, local.tm_min, local.tm_sec,
                  milliseconds);
    return buf;
}

// <chrono> cannot be used: GCC 12's C++20 <chrono> holds a literal that has
// no Shift-JIS form, and every target compiles with a Shift-JIS charset.
std::string TimeStampTextNow() {
    timespec now{};
    clock_gettime(CLOCK_REALTIME, &now);
    std::tm local{};
    localtime_r(&now.tv_sec, &local);
    return TimeStampText(local, static_cast<int>(now.tv_nsec / 1000000));
}

}  // namespace fern
