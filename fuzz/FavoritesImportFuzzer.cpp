// libFuzzer target: ImportFavorites on a folder tree built from the input,
// then the tree exported to Favorites and imported again.
//
// The input describes the tree in lines. "=PATH" starts a file PATH whose
// bytes are the lines up to the next record (a content line "==..." stands
// for one starting with "="); "=PATH/" makes a folder; "=>PATH" makes a
// symbolic link to the top folder (a loop) and "=!PATH" one to nothing.
// PATH is split at "/"; empty, "." and ".." parts are dropped, so nothing
// lands outside the private folder. Names keep any other bytes (a file
// system name need not be UTF-8), and byte 0x01 stands for a line feed.
#include <sys/stat.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "FuzzTempDir.h"
#include "FuzzTreeCheck.h"
#include "bookmarks/exchange/Favorites.h"

namespace {

constexpr std::size_t kMaxRecords = 64;
constexpr std::size_t kMaxDepth = 6;
constexpr std::size_t kMaxNameBytes = 100;

struct Record {
    char kind = 'f';  // 'f' file, 'd' folder, 'l' loop link, 'x' dangling link
    std::string path;
    std::string bytes;
};

std::vector<Record> ReadRecords(std::string_view input) {
    std::vector<Record> records;
    while (!input.empty()) {
        std::size_t end = input.find('\n');
        std::string_view line = input.substr(0, end);
        input.remove_prefix(end == std::string_view::npos ? input.size() : end + 1);
        if (!line.empty() && line[0] == '=' && !(line.size() > 1 && line[1] == '=')) {
            if (records.size() == kMaxRecords) break;
            Record record;
            line.remove_prefix(1);
            if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
            if (!line.empty() && (line[0] == '>' || line[0] == '!')) {
                record.kind = line[0] == '>' ? 'l' : 'x';
                line.remove_prefix(1);
            } else if (!line.empty() && line.back() == '/') {
                record.kind = 'd';
            }
            record.path = line;
            records.push_back(std::move(record));
        } else if (!records.empty()) {
            if (!line.empty() && line[0] == '=') line.remove_prefix(1);
            records.back().bytes.append(line);
            if (end != std::string_view::npos) records.back().bytes += '\n';
        }
    }
    return records;
}

// The parts of `path` that name something inside the top folder.
std::vector<std::string> PathParts(std::string_view path) {
    std::vector<std::string> parts;
    while (!path.empty() && parts.size() < kMaxDepth) {
        std::size_t slash = path.find('/');
        std::string_view part = path.substr(0, slash);
        path.remove_prefix(slash == std::string_view::npos ? path.size() : slash + 1);
        if (part.empty() || part == "." || part == "..") continue;
        std::string name(part.substr(0, kMaxNameBytes));
        for (char& c : name)
            if (c == '\x01') c = '\n';
        parts.push_back(std::move(name));
    }
    return parts;
}

void BuildTree(const std::string& top, const std::vector<Record>& records) {
    for (const Record& record : records) {
        std::vector<std::string> parts = PathParts(record.path);
        if (parts.empty()) continue;
        std::string path = top;
        for (std::size_t i = 0; i + 1 < parts.size(); ++i) {
            path += "/" + parts[i];
            ::mkdir(path.c_str(), 0700);
        }
        path += "/" + parts.back();
        switch (record.kind) {
            case 'd': ::mkdir(path.c_str(), 0700); break;
            case 'l': (void)::symlink(top.c_str(), path.c_str()); break;
            case 'x': (void)::symlink((top + "/no such file").c_str(), path.c_str()); break;
            default:
                if (std::FILE* file = std::fopen(path.c_str(), "wb")) {
                    std::fwrite(record.bytes.data(), 1, record.bytes.size(), file);
                    std::fclose(file);
                }
                break;
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string top = fern::fuzz::EmptySubfolder("favorites");
    BuildTree(top, ReadRecords(std::string_view(reinterpret_cast<const char*>(data), size)));

    fern::BookmarkTree tree(fern::fuzz::FuzzOptions(), [] { return fern::fuzz::kFuzzNow; });
    fern::ExchangeStatus status = fern::ImportFavorites(top, tree, nullptr);
    fern::fuzz::CheckImportedTree(tree, status);

    // What came in goes out as Favorites and comes back whole (there are no
    // separators to skip), or the export says that it could not write all.
    // (A url holding a lone CR, which an INI line can hold, is refused by
    // the shortcut writer.)
    std::string exported = fern::fuzz::EmptySubfolder("exported");
    fern::ExchangeStatus written = fern::ExportFavorites(exported, tree.Root().FirstChild());
    if (static_cast<bool>(written) != (written.skipped == 0)) __builtin_trap();
    fern::BookmarkTree again(fern::fuzz::FuzzOptions(), [] { return fern::fuzz::kFuzzNow; });
    fern::ExchangeStatus reread = fern::ImportFavorites(exported, again, nullptr);
    if (!reread) __builtin_trap();
    if (written.skipped == 0 ? reread.imported != status.imported : reread.imported >= status.imported)
        __builtin_trap();
    return 0;
}
