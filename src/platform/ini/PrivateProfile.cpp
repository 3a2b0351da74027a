#include "platform/ini/PrivateProfile.h"

// Placeholder until the INI store lands: every read gives its default.
namespace fern {

std::string GetPrivateProfileString(std::string_view, std::string_view,
                                    std::string_view defaultValue, std::string_view,
                                    std::size_t) {
    return std::string(defaultValue);
}

int GetPrivateProfileInt(std::string_view, std::string_view, int defaultValue, std::string_view) {
    return defaultValue;
}

bool WritePrivateProfileString(std::string_view, std::optional<std::string_view>,
                               std::optional<std::string_view>, std::string_view) {
    return false;
}

}  // namespace fern
