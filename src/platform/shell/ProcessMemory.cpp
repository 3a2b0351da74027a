#include "platform/shell/ProcessMemory.h"

#include <glib.h>
#include <unistd.h>

#include <charconv>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>
#include <vector>

namespace fern {

namespace {

std::string ReadProcFile(long pid, const char* name) {
    gchar* contents = nullptr;
    gsize length = 0;
    const std::string path = "/proc/" + std::to_string(pid) + "/" + name;
    if (!g_file_get_contents(path.c_str(), &contents, &length, nullptr)) return {};
    std::string text(contents, length);
    g_free(contents);
    return text;
}

// A process whose smaps cannot be read (another sandbox) counts by its
// resident pages, which statm gives to anyone.
std::uint64_t MemoryOf(long pid) {
    if (std::uint64_t pss = PssBytesOf(ReadProcFile(pid, "smaps_rollup"))) return pss;
    const std::string statm = ReadProcFile(pid, "statm");
    unsigned long long resident = 0;
    if (std::sscanf(statm.c_str(), "%*u %llu", &resident) != 1) return 0;
    const long page = sysconf(_SC_PAGESIZE);
    return resident * static_cast<std::uint64_t>(page > 0 ? page : 4096);
}

}  // namespace

std::uint64_t PhysicalMemoryBytes() {
    const long pages = sysconf(_SC_PHYS_PAGES), page = sysconf(_SC_PAGESIZE);
    return pages > 0 && page > 0 ? static_cast<std::uint64_t>(pages) * static_cast<std::uint64_t>(page) : 0;
}

std::uint64_t PssBytesOf(std::string_view text) {
    for (std::size_t at = 0; at < text.size();) {
        std::size_t end = text.find('\n', at);
        if (end == std::string_view::npos) end = text.size();
        std::string_view line = text.substr(at, end - at);
        at = end + 1;
        if (!line.starts_with("Pss:")) continue;
        line.remove_prefix(4);
        while (!line.empty() && (line.front() == ' ' || line.front() == '\t')) line.remove_prefix(1);
        std::uint64_t kb = 0;
        auto [next, error] = std::from_chars(line.data(), line.data() + line.size(), kb);
        return error == std::errc() && next != line.data() ? kb * 1024 : 0;
    }
    return 0;
}

long ParentPidOf(std::string_view stat) {
    // The command name in parentheses may hold anything, ")" included.
    std::size_t close = stat.rfind(')');
    if (close == std::string_view::npos || close + 4 >= stat.size()) return -1;
    std::string_view rest = stat.substr(close + 2);  // "S 1234 ..."
    std::size_t space = rest.find(' ');
    if (space == std::string_view::npos) return -1;
    rest.remove_prefix(space + 1);
    long ppid = -1;
    auto [next, error] = std::from_chars(rest.data(), rest.data() + rest.size(), ppid);
    return error == std::errc() && next != rest.data() ? ppid : -1;
}

std::uint64_t ProcessTreeMemoryBytes() {
    GDir* dir = g_dir_open("/proc", 0, nullptr);
    if (!dir) return 0;
    std::multimap<long, long> children;
    while (const gchar* name = g_dir_read_name(dir)) {
        char* end = nullptr;
        long pid = std::strtol(name, &end, 10);
        if (*end || pid <= 0) continue;
        long parent = ParentPidOf(ReadProcFile(pid, "stat"));
        if (parent > 0) children.emplace(parent, pid);
    }
    g_dir_close(dir);
    std::uint64_t total = 0;
    std::vector<long> todo{static_cast<long>(getpid())};
    while (!todo.empty()) {
        long pid = todo.back();
        todo.pop_back();
        total += MemoryOf(pid);
        auto [first, last] = children.equal_range(pid);
        for (auto it = first; it != last; ++it) todo.push_back(it->second);
    }
    return total;
}

}  // namespace fern
