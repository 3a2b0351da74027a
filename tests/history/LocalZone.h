#pragma once
// Sets the local time zone for one test and puts the old one back.
#include <stdlib.h>

#include <ctime>
#include <optional>
#include <string>

namespace fern::testing {

class LocalZone {
public:
    explicit LocalZone(const char* zone) {
        if (const char* old = getenv("TZ")) old_ = old;
        setenv("TZ", zone, 1);
        tzset();
    }
    ~LocalZone() {
        if (old_)
            setenv("TZ", old_->c_str(), 1);
        else
            unsetenv("TZ");
        tzset();
    }
    LocalZone(const LocalZone&) = delete;
    LocalZone& operator=(const LocalZone&) = delete;

    // Seconds for a local date and time of this zone.
    static std::int64_t At(int year, int month, int day, int hour, int minute, int second = 0) {
        std::tm tm {};
        tm.tm_year = year - 1900;
        tm.tm_mon = month - 1;
        tm.tm_mday = day;
        tm.tm_hour = hour;
        tm.tm_min = minute;
        tm.tm_sec = second;
        tm.tm_isdst = -1;
        return static_cast<std::int64_t>(std::mktime(&tm));
    }

private:
    std::optional<std::string> old_;
};

}  // namespace fern::testing
