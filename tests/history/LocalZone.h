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
        if (old_) setenv("TZ", old_->c_str(), 1);
        else unsetenv("TZ");
        tzset();
    }
    LocalZone(const LocalZone&) = delete;
    LocalZone& operator=(const LocalZone&) = delete;

    // Seconds for a local date and time of this zone.
    static std::int64_t At(int year, int month, int day, int hour, int minute, int second = 0) {
        std::tm local{second, minute, hour, day, month - 1, year - 1900, 0, 0, -1, 0, nullptr};
        return static_cast<std::int64_t>(std::mktime(&local));
    }

private:
    std::optional<std::string> old_;
};

}  // namespace fern::testing
