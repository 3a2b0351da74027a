#pragma once
// Internet shortcut files (".url"): INI files whose section
// "InternetShortcut" holds the address as key "URL".
#include <optional>
#include <string>
#include <string_view>

namespace fern {

// The address of the shortcut (at most 2084 bytes); the path itself when the
// key is missing; empty for a folder.
std::string ReadUrlShortcut(const std::string& path);

// The address held by the bytes of a shortcut file (Shift-JIS, or UTF-16
// with a byte-order mark), read as ReadUrlShortcut reads a file and cut to
// 2084 bytes; nullopt when the section or the key is missing. For files
// whose names the program's text cannot hold.
std::optional<std::string> ParseUrlShortcut(std::string_view bytes);

// Writes a shortcut file; false when it could not be written.
bool WriteUrlShortcut(const std::string& path, const std::string& url);

}  // namespace fern
