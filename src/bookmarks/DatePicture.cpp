#include "bookmarks/DatePicture.h"

#include <cstdio>

#include "platform/text/SjisByteClass.h"

namespace fern {

namespace {

const char* const kWeekdayShort[7] = {"日", "月", "火", "水", "木", "金", "土"};
const char* const kWeekdayLong[7] = {"日曜日", "月曜日", "火曜日", "水曜日", "木曜日", "金曜日", "土曜日"};

void AppendNumber(std::string& out, long value, bool twoDigits) {
    char buffer[24];
    std::snprintf(buffer, sizeof buffer, twoDigits ? "%02ld" : "%ld", value);
    out += buffer;
}

// A field value kept inside its range, so a broken std::tm cannot index out
// of a table or print garbage.
int Clamp(int value, int low, int high) { return value < low ? low : value > high ? high : value; }

void AppendElement(std::string& out, char letter, std::size_t run, const std::tm& t) {
    const bool two = run >= 2;
    switch (letter) {
        case 'y': {
            long year = 1900L + t.tm_year;
            if (run >= 3) AppendNumber(out, year, false);
            else AppendNumber(out, ((year % 100) + 100) % 100, two);
            break;
        }
        case 'M': {
            int month = Clamp(t.tm_mon, 0, 11) + 1;
            AppendNumber(out, month, run == 2);
            if (run >= 4) out += "月";
            break;
        }
        case 'd': {
            if (run <= 2) AppendNumber(out, t.tm_mday, two);
            else out += (run == 3 ? kWeekdayShort : kWeekdayLong)[Clamp(t.tm_wday, 0, 6)];
            break;
        }
        case 'H': AppendNumber(out, t.tm_hour, two); break;
        case 'h': {
            int hour = t.tm_hour % 12;
            AppendNumber(out, hour == 0 ? 12 : hour, two);
            break;
        }
        case 'm': AppendNumber(out, t.tm_min, two); break;
        case 's': AppendNumber(out, t.tm_sec, two); break;
        case 't':
            if (run == 1) out += "午";
            else out += t.tm_hour < 12 ? "午前" : "午後";
            break;
        default: break;
    }
}

bool IsPictureLetter(char c) {
    return c == 'y' || c == 'M' || c == 'd' || c == 'H' || c == 'h' || c == 'm' || c == 's' || c == 't';
}

}  // namespace

std::string FormatDatePicture(std::string_view picture, const std::tm& local) {
    std::string out;
    std::size_t i = 0;
    while (i < picture.size()) {
        const unsigned char c = static_cast<unsigned char>(picture[i]);
        // A double-byte character is copied whole: its second byte may be a
        // picture letter ("d", "m", "s" ...).
        if (IsSjisLeadByte(c) && i + 1 < picture.size() &&
            IsSjisTrailByte(static_cast<unsigned char>(picture[i + 1]))) {
            out.append(picture.substr(i, 2));
            i += 2;
            continue;
        }
        if (c == '\'') {
            ++i;
            while (i < picture.size()) {
                const unsigned char q = static_cast<unsigned char>(picture[i]);
                if (IsSjisLeadByte(q) && i + 1 < picture.size() &&
                    IsSjisTrailByte(static_cast<unsigned char>(picture[i + 1]))) {
                    out.append(picture.substr(i, 2));
                    i += 2;
                } else if (q != '\'') {
                    out += picture[i++];
                } else if (i + 1 < picture.size() && picture[i + 1] == '\'') {
                    out += '\'';
                    i += 2;
                } else {
                    ++i;
                    break;
                }
            }
            continue;
        }
        if (IsPictureLetter(picture[i])) {
            std::size_t run = 1;
            while (i + run < picture.size() && picture[i + run] == picture[i]) ++run;
            AppendElement(out, picture[i], run, local);
            i += run;
            continue;
        }
        out += picture[i++];
    }
    return out;
}

std::string FormatLocalTime(std::uint32_t seconds, std::string_view picture) {
    std::time_t time = static_cast<std::time_t>(seconds);
    std::tm local{};
    if (!localtime_r(&time, &local)) return std::string();
    return FormatDatePicture(picture, local);
}

}  // namespace fern
