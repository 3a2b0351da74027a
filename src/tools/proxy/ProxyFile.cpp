#include "tools/proxy/ProxyFile.h"

#include <algorithm>
#include <cstdio>
#include <optional>

#include "platform/fs/FileIo.h"
#include "platform/ini/IniDocument.h"
#include "platform/text/SjisByteClass.h"

namespace fern {

namespace {

constexpr std::string_view kPrefix = "proxy_";

// The number of a section "Proxy_N", or -1 for any other name.
long SectionNumber(const std::string& name) {
    if (name.size() <= kPrefix.size() || name.size() > kPrefix.size() + 9) return -1;
    if (SjisToLower(std::string_view(name).substr(0, kPrefix.size())) != kPrefix) return -1;
    long number = 0;
    for (std::size_t i = kPrefix.size(); i < name.size(); ++i) {
        if (name[i] < '0' || name[i] > '9') return -1;
        number = number * 10 + (name[i] - '0');
    }
    return number;
}

// Control characters have no place in a name, a server or an exception,
// and a line break would start a new line of the file; they are dropped on
// reading and on writing alike, so what is written reads back the same.
// (Shift-JIS bytes of double-byte characters are never below 0x40.)
std::string OneLine(std::string_view text) {
    std::string line;
    line.reserve(text.size());
    for (char c : text)
        if (static_cast<unsigned char>(c) >= 0x20 || c == '\t') line += c;
    std::size_t start = line.find_first_not_of(" \t");
    if (start == std::string::npos) return {};
    return line.substr(start, line.find_last_not_of(" \t") - start + 1);
}

std::string Value(const IniDocument& ini, const std::string& section, std::string_view key) {
    const std::string* value = ini.Find(section, key);
    return value ? OneLine(*value) : std::string();
}

}  // namespace

std::vector<ProxyEntry> ParseProxyFile(std::string_view bytes) {
    IniDocument ini = IniDocument::Parse(bytes);
    std::vector<std::pair<long, std::string>> sections;
    for (std::string& name : ini.SectionNames()) {
        long number = SectionNumber(name);
        if (number >= 0) sections.emplace_back(number, std::move(name));
    }
    std::stable_sort(sections.begin(), sections.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    std::vector<ProxyEntry> entries;
    entries.reserve(sections.size());
    for (const auto& [number, section] : sections) {
        ProxyEntry entry;
        entry.name = Value(ini, section, "ProxyName");
        ParseProxyServerValue(Value(ini, section, "ProxyServer"), entry);
        ParseProxyBypassValue(Value(ini, section, "ProxyOverride"), entry);
        entries.push_back(std::move(entry));
    }
    return entries;
}

std::string SerializeProxyFile(const std::vector<ProxyEntry>& entries) {
    std::string out;
    char section[32];
    for (std::size_t i = 0; i < entries.size(); ++i) {
        std::snprintf(section, sizeof section, "[Proxy_%zu]\r\n", i);
        out += section;
        out += "ProxyName=" + OneLine(entries[i].name) + "\r\n";
        out += "ProxyServer=" + OneLine(ProxyServerValue(entries[i])) + "\r\n";
        out += "ProxyOverride=" + OneLine(ProxyBypassValue(entries[i])) + "\r\n";
    }
    return out;
}

std::vector<ProxyEntry> ReadProxyFile(const std::string& path) {
    std::optional<std::string> bytes = ReadWholeFile(path);
    return bytes ? ParseProxyFile(*bytes) : std::vector<ProxyEntry>();
}

bool WriteProxyFile(const std::string& path, const std::vector<ProxyEntry>& entries, std::string* error) {
    std::string reason;
    if (WriteFileAtomic(path, SerializeProxyFile(entries), &reason)) return true;
    LogWriteFailure(path, reason);
    if (error) *error = reason;
    return false;
}

}  // namespace fern
