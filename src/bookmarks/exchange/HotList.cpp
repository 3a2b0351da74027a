#include "bookmarks/exchange/HotList.h"

#include <string>
#include <vector>

#include "bookmarks/BookmarkTree.h"
#include "bookmarks/exchange/ExchangeText.h"
#include "lists/ListLine.h"
#include "platform/text/Encoding.h"
#include "platform/text/SjisByteClass.h"

namespace fern {

namespace {

// Whether the records are UTF-8, from the header lines before the first
// record; false also when the file has no record at all.
bool FindRecords(std::string_view bytes, bool& utf8) {
    utf8 = false;
    ListLineReader lines(bytes);
    std::string_view line;
    while (lines.Next(line)) {
        std::string lower = SjisToLower(line);
        if (Contains(lower, "options") && Contains(lower, "encoding") && Contains(lower, "utf8")) utf8 = true;
        if (lower == "#folder" || lower == "#url") return true;
    }
    return false;
}

}  // namespace

void ParseHotList(std::string_view bytes, BookmarkTree& tree, BookmarkNode& folder) {
    bool utf8 = false;
    if (!FindRecords(bytes, utf8)) return;
    // The folders being read and the node that field lines set in each.
    struct Level {
        BookmarkNode* folder;
        BookmarkNode* current;
    };
    std::vector<Level> open{{&folder, &folder}};
    std::string converted;
    ListLineReader lines(bytes);
    std::string_view raw;
    while (lines.Next(raw)) {
        std::string_view line = raw;
        if (utf8) {
            converted = FromUtf8(raw);
            line = converted;
        }
        Level& level = open.back();
        if (line == "-") {
            open.pop_back();
            if (open.empty()) return;
        } else if (line == "#URL") {
            level.current = tree.AddNode(*level.folder, "no name", "", kItemUrl, kDefaultItemStyle,
                                         tree.Options().defaultAddStyle);
        } else if (line == "#FOLDER") {
            BookmarkNode* child = tree.AddNode(*level.folder, "no name", "", kItemFolder, kDefaultItemStyle,
                                               kDefaultItemExStyle);
            open.push_back({child, child});
        } else {
            std::string_view field = TrimBlanks(line);
            if (field.substr(0, 5) == "NAME=") {
                level.current->name = field.substr(5);
            } else if (field.substr(0, 4) == "URL=" && level.current->type == kItemUrl) {
                // A folder keeps its url text "<フォルダ>".
                level.current->url = field.substr(4);
            }
        }
    }
}

ExchangeStatus ImportHotList(std::string_view path, BookmarkTree& tree, BookmarkNode* target) {
    return ImportFile(path, tree, target, true, [&tree](const std::string& bytes, BookmarkNode& scratch) {
        ParseHotList(bytes, tree, scratch);
    });
}

}  // namespace fern
