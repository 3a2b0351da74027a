#pragma once
// A profile in memory with the INI file's rules that the settings code relies
// on: sections and keys match without regard to single-byte case, a missing
// key gives the default, numbers are read like atol. Writes can be made to
// fail, and every write is counted.
#include <cstdint>
#include <cstdlib>
#include <map>
#include <optional>
#include <string>

#include "platform/text/SjisByteClass.h"
#include "settings/Profile.h"

namespace fern {

class FakeProfile final : public Profile {
public:
    int ReadInt(std::string_view section, std::string_view key, int defaultValue) const override {
        std::optional<std::string> value = Get(section, key);
        if (!value) return defaultValue;
        long long n = std::strtoll(value->c_str(), nullptr, 10);
        return n < INT32_MIN ? INT32_MIN : n > INT32_MAX ? INT32_MAX : static_cast<int>(n);
    }

    std::string ReadString(std::string_view section, std::string_view key, std::string_view defaultValue,
                           std::size_t bufferSize = 0) const override {
        std::string value = Get(section, key).value_or(std::string(defaultValue));
        if (bufferSize > 0 && value.size() > bufferSize - 1) value.resize(bufferSize - 1);
        return value;
    }

    bool WriteInt(std::string_view section, std::string_view key, int value) override {
        return WriteString(section, key, std::to_string(value));
    }

    bool WriteString(std::string_view section, std::string_view key, std::string_view value) override {
        ++writes;
        if (failWrites) return false;
        Set(section, key, std::string(value));
        return true;
    }

    bool DeleteKey(std::string_view section, std::string_view key) override {
        ++writes;
        if (failWrites) return false;
        auto s = sections_.find(SjisToLower(section));
        if (s != sections_.end()) s->second.erase(SjisToLower(key));
        return true;
    }

    bool DeleteSection(std::string_view section) override {
        ++writes;
        if (failWrites) return false;
        sections_.erase(SjisToLower(section));
        return true;
    }

    std::string Location() const override { return "fake.ini"; }

    // Test access, bypassing the failure switch.
    void Set(std::string_view section, std::string_view key, std::string value) {
        sections_[SjisToLower(section)][SjisToLower(key)] = std::move(value);
    }
    std::optional<std::string> Get(std::string_view section, std::string_view key) const {
        auto s = sections_.find(SjisToLower(section));
        if (s == sections_.end()) return std::nullopt;
        auto k = s->second.find(SjisToLower(key));
        if (k == s->second.end()) return std::nullopt;
        return k->second;
    }
    bool HasSection(std::string_view section) const { return sections_.count(SjisToLower(section)) > 0; }
    std::size_t KeyCount() const {
        std::size_t n = 0;
        for (const auto& [name, keys] : sections_) n += keys.size();
        return n;
    }

    bool failWrites = false;
    int writes = 0;

private:
    std::map<std::string, std::map<std::string, std::string>> sections_;
};

}  // namespace fern
