#pragma once
// INI files with the semantics of the Windows private-profile functions, on
// which every settings file of the program relies. Sections and keys match
// without regard to case (single-byte letters only), blanks around keys and
// values are trimmed, and every write replaces the file atomically at once.
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace fern {

// The value of `key` in `section`, or `defaultValue` when either is missing
// (or the file is). A value in matching quotes is unquoted. `bufferSize` > 0
// truncates the result to bufferSize-1 bytes, byte for byte, as a caller's
// buffer of that size would hold it; 0 means no limit.
std::string GetPrivateProfileString(std::string_view section, std::string_view key,
                                    std::string_view defaultValue, std::string_view path,
                                    std::size_t bufferSize = 0);

// Leading digits with an optional sign; `defaultValue` when the key is missing.
int GetPrivateProfileInt(std::string_view section, std::string_view key, int defaultValue,
                         std::string_view path);

// Sets `key` to `value`, creating the file and the section as needed. No key
// (nullopt) deletes the whole section; no value deletes the key. Comments and
// unknown sections and keys stay in place; lines end in CR LF. Returns false
// when the file could not be written (the old file stays whole).
bool WritePrivateProfileString(std::string_view section, std::optional<std::string_view> key,
                               std::optional<std::string_view> value, std::string_view path);

}  // namespace fern
