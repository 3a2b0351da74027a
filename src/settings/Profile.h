#pragma once
// One INI file of settings as the settings code sees it: read and write an
// integer or a string by section and key. Reads never fail (a missing file or
// key gives the default); writes say whether the value reached the file.
#include <cstddef>
#include <string>
#include <string_view>

namespace fern {

class Profile {
public:
    virtual ~Profile() = default;

    // Leading digits with an optional sign, like atol; `defaultValue` when the
    // key is missing.
    virtual int ReadInt(std::string_view section, std::string_view key, int defaultValue) const = 0;
    // `bufferSize` > 0 cuts the value to bufferSize-1 bytes, as a reader with a
    // buffer of that size sees it; 0 means no limit.
    virtual std::string ReadString(std::string_view section, std::string_view key,
                                   std::string_view defaultValue, std::size_t bufferSize = 0) const = 0;

    // Signed decimal text.
    virtual bool WriteInt(std::string_view section, std::string_view key, int value) = 0;
    virtual bool WriteString(std::string_view section, std::string_view key, std::string_view value) = 0;
    // Removes the key; true when it is gone afterwards.
    virtual bool DeleteKey(std::string_view section, std::string_view key) = 0;
    // Removes the section with all its keys; true when it is gone afterwards.
    virtual bool DeleteSection(std::string_view section) = 0;

    // Where the values live, for the log line of a failed save.
    virtual std::string Location() const = 0;
};

}  // namespace fern
