#pragma once
// Dates shown to the user through a picture such as "yy/MM/dd ddd HH:mm:ss"
// (`BKDateFmt`), read with the platform's date and time picture notation and
// the Japanese locale's names.
#include <cstdint>
#include <ctime>
#include <string>
#include <string_view>

namespace fern {

// Picture elements: y yy yyyy (year), M MM (month), MMM MMMM ("1", "1月"),
// d dd (day), ddd dddd ("日", "日曜日"), H HH h hh (hour), m mm (minute),
// s ss (second), t tt ("午", "午前"/"午後"). Text in single quotes is copied
// without them ('' gives one quote); every other byte, and every double-byte
// character whole, is copied as it stands.
std::string FormatDatePicture(std::string_view picture, const std::tm& local);

// `seconds` since 1970-01-01 UTC in the local time zone, through `picture`.
std::string FormatLocalTime(std::uint32_t seconds, std::string_view picture);

}  // namespace fern
