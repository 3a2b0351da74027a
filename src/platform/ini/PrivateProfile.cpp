#include "platform/ini/PrivateProfile.h"

#include <cstdint>

#include "platform/fs/FileIo.h"
#include "platform/ini/ProfileCache.h"
#include "platform/ini/ProfileFile.h"

namespace fern {

namespace {

std::string_view Unquote(std::string_view value) {
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front())
        return value.substr(1, value.size() - 2);
    return value;
}

std::string Truncate(std::string_view text, std::size_t bufferSize) {
    if (bufferSize > 0 && text.size() > bufferSize - 1) text = text.substr(0, bufferSize - 1);
    return std::string(text);
}

}  // namespace

std::string GetPrivateProfileString(std::string_view section, std::string_view key,
                                    std::string_view defaultValue, std::string_view path,
                                    std::size_t bufferSize) {
    std::shared_ptr<const IniDocument> doc = CachedProfile(path);
    const std::string* value = doc ? doc->Find(section, key) : nullptr;
    return Truncate(value ? Unquote(*value) : defaultValue, bufferSize);
}

int GetPrivateProfileInt(std::string_view section, std::string_view key, int defaultValue,
                         std::string_view path) {
    std::shared_ptr<const IniDocument> doc = CachedProfile(path);
    const std::string* found = doc ? doc->Find(section, key) : nullptr;
    if (!found) return defaultValue;
    std::string_view value = Unquote(*found);
    if (value.empty()) return defaultValue;
    std::size_t i = 0;
    bool negative = value[0] == '-';
    if (value[0] == '-' || value[0] == '+') ++i;
    // Digits accumulate modulo 2^32, so "4294967295" written by an unsigned
    // writer reads as -1 and no digit string can overflow.
    std::uint32_t n = 0;
    for (; i < value.size() && value[i] >= '0' && value[i] <= '9'; ++i)
        n = n * 10u + static_cast<std::uint32_t>(value[i] - '0');
    if (negative) n = 0u - n;
    return static_cast<int>(n);
}

bool WritePrivateProfileString(std::string_view section, std::optional<std::string_view> key,
                               std::optional<std::string_view> value, std::string_view path) {
    std::string reason;
    if (EditProfileFile(path, section, key, value, &reason)) return true;
    LogWriteFailure(path, reason);
    return false;
}

}  // namespace fern
