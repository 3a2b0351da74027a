#pragma once
// Internet shortcut files (".url"): INI files whose section
// "InternetShortcut" holds the address as key "URL".
#include <string>

namespace fern {

// The address of the shortcut (at most 2084 bytes); the path itself when the
// key is missing; empty for a folder.
std::string ReadUrlShortcut(const std::string& path);

// Writes a shortcut file; false when it could not be written.
bool WriteUrlShortcut(const std::string& path, const std::string& url);

}  // namespace fern
