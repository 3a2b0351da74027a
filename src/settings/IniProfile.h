#pragma once
// The profile over an INI file on disk (fern.ini, wnds.ini), through the
// private-profile functions: every read looks at the file, every write
// replaces it at once.
#include "settings/Profile.h"

namespace fern {

class IniProfile final : public Profile {
public:
    explicit IniProfile(std::string path) : path_(std::move(path)) {}

    int ReadInt(std::string_view section, std::string_view key, int defaultValue) const override;
    std::string ReadString(std::string_view section, std::string_view key, std::string_view defaultValue,
                           std::size_t bufferSize = 0) const override;
    bool WriteInt(std::string_view section, std::string_view key, int value) override;
    bool WriteString(std::string_view section, std::string_view key, std::string_view value) override;
    bool DeleteKey(std::string_view section, std::string_view key) override;
    bool DeleteSection(std::string_view section) override;
    std::string Location() const override { return path_; }

private:
    std::string path_;
};

}  // namespace fern
