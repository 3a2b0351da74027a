#pragma once
// proxy.ini: one section "Proxy_N" per configuration holding ProxyName,
// ProxyServer and ProxyOverride, in list order, lines ending CR LF. It is
// read as an INI file, so names holding "Proxy_", reordered keys, odd
// spacing and comments do not confuse it.
#include <string>
#include <string_view>
#include <vector>

#include "tools/proxy/ProxyEntry.h"

namespace fern {

// The entries of every section named "Proxy_" and a number, in the order of
// the numbers (a file with gaps or sections out of order keeps them all);
// missing keys are empty. Never fails: other sections and lines are ignored.
std::vector<ProxyEntry> ParseProxyFile(std::string_view bytes);
std::string SerializeProxyFile(const std::vector<ProxyEntry>& entries);

// A file that cannot be read is an empty list.
std::vector<ProxyEntry> ReadProxyFile(const std::string& path);
// Replaces the file whole; false with the reason when it could not be written
// (the old file then stays as it was).
bool WriteProxyFile(const std::string& path, const std::vector<ProxyEntry>& entries, std::string* error);

}  // namespace fern
