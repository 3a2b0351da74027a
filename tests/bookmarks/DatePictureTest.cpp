#include "bookmarks/DatePicture.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>

namespace fern {
namespace {

std::tm At(int year, int month, int day, int hour, int minute, int second) {
    std::tm t{};
    t.tm_year = year - 1900;
    t.tm_mon = month - 1;
    t.tm_mday = day;
    t.tm_hour = hour;
    t.tm_min = minute;
    t.tm_sec = second;
    std::time_t flat = timegm(&t);  // fills the weekday
    gmtime_r(&flat, &t);
    return t;
}

TEST(DatePicture, PictureElementsAndLiteralText) {
    const std::tm morning = At(2024, 3, 5, 7, 8, 9);       // a Tuesday
    const std::tm evening = At(2009, 11, 22, 19, 45, 30);  // a Sunday
    const std::tm midnight = At(2000, 1, 1, 0, 0, 0);      // a Saturday
    struct Case {
        const char* picture;
        const std::tm& time;
        const char* expected;
    } cases[] = {
        {"yy/MM/dd ddd HH:mm:ss", morning, "24/03/05 火 07:08:09"},
        {"yy/MM/dd ddd HH:mm:ss", evening, "09/11/22 日 19:45:30"},
        {"yyyy年M月d日(dddd)", morning, "2024年3月5日(火曜日)"},
        {"y-M-d H:m:s", morning, "24-3-5 7:8:9"},
        {"tt h:mm", morning, "午前 7:08"},
        {"tt hh:mm t", evening, "午後 07:45 午"},
        {"h hh H HH y", midnight, "12 12 0 00 0"},
        {"MMM/MMMM dddd", evening, "11/11月 日曜日"},
        {"'yy' yy", morning, "yy 24"},
        {"'it''s' d", morning, "it's 5"},
        {"'unterminated dd", morning, "unterminated dd"},
        {"[d] #x", morning, "[5] #x"},
        // Each second byte here is a picture letter (d, m, s, y, M).
        {"電確都楽筆", morning, "電確都楽筆"},
        {"'電確' HH時mm分", morning, "電確 07時08分"},
        {"d\x93", morning, "5\x93"},  // a lone lead byte at the end
    };
    for (const Case& c : cases) EXPECT_EQ(FormatDatePicture(c.picture, c.time), c.expected) << c.picture;

    std::tm broken{};
    broken.tm_wday = 99;
    broken.tm_mon = -5;
    EXPECT_EQ(FormatDatePicture("ddd MM", broken), "土 01");
}

TEST(DatePicture, LocalTimeOfSeconds) {
    const char* old = std::getenv("TZ");
    std::string saved = old ? old : "";
    setenv("TZ", "JST-9", 1);
    tzset();
    EXPECT_EQ(FormatLocalTime(1700000000, "yy/MM/dd ddd HH:mm:ss"), "23/11/15 水 07:13:20");
    if (old) setenv("TZ", saved.c_str(), 1);
    else unsetenv("TZ");
    tzset();
}

}  // namespace
}  // namespace fern
