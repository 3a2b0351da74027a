// Reading Netscape bookmark files: line by line, looking for markers and
// skipping every line that has none.
#include <vector>

#include "bookmarks/BookmarkTree.h"
#include "bookmarks/exchange/ExchangeText.h"
#include "bookmarks/exchange/Netscape.h"
#include "lists/ListLine.h"
#include "platform/text/Encoding.h"

namespace fern {

namespace {

constexpr std::size_t npos = std::string_view::npos;
constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

// "<DT><A HREF="url" ADD_DATE="..." ...>name</A>", trimmed. The url ends at
// its closing quote, whatever attributes follow (old Mac exports put
// SUBSCRIBE, LAST_MODIFIED... between HREF and ADD_DATE); a value with no
// closing quote runs to the end of the line. The name runs from the end of
// the tag to "</A>".
void AddLink(std::string_view line, BookmarkTree& tree, BookmarkNode& folder) {
    line = TrimBlanks(line);
    std::string_view url;
    std::size_t tagRest = line.find("<DT><A") + 6;  // the caller found it
    std::size_t href = line.find("HREF=\"");
    if (href != npos) {
        std::size_t start = href + 6;
        // The end markers " ALIAS, " ADD_DATE and "> that once ended the url
        // all begin with a quote, so none can be found where this one is not.
        std::size_t end = line.find('"', start);
        if (end == npos) end = line.size();
        url = line.substr(start, end - start);
        tagRest = end;
    }
    std::string_view name;
    std::size_t nameStart = line.find("\">", tagRest);
    if (nameStart != npos) nameStart += 2;
    else if ((nameStart = line.find('>', tagRest)) != npos) ++nameStart;
    if (nameStart != npos) {
        std::size_t nameEnd = line.find("</A>", nameStart);
        if (nameEnd != npos) name = line.substr(nameStart, nameEnd - nameStart);
    }
    tree.AddNode(folder, UnescapeAmp(name), url, kItemUrl, kDefaultItemStyle, tree.Options().defaultAddStyle);
}

// "<DT><H3 ...>name</H3>": the name taken as it stands.
std::string FolderName(std::string_view line) {
    std::size_t head = line.find("<DT><H3");
    std::size_t start = line.find("\">", head);
    std::size_t close = line.find("</H3>", head);
    if (start != npos && (close == npos || start < close)) {
        start += 2;
    } else {
        // "<H3 FOLDED>name</H3>": no quoted attribute before the name.
        start = line.find('>', head + 7);
        if (start == npos) return std::string();
        ++start;
    }
    std::size_t end = line.find("</H3>", start);
    return std::string(line.substr(start, end == npos ? npos : end - start));
}

}  // namespace

void ParseNetscapeBookmarks(std::string_view bytes, BookmarkTree& tree, BookmarkNode& folder) {
    bool utf8 = false;
    if (bytes.substr(0, kUtf8Bom.size()) == kUtf8Bom) {
        // A UTF-8 file that says so only with its byte-order mark.
        utf8 = true;
        bytes.remove_prefix(kUtf8Bom.size());
    }
    // The folders being read, innermost last; empty at the top level. Kept on
    // the heap so that no nesting depth can overflow the stack.
    std::vector<BookmarkNode*> open;
    std::string pendingName;
    std::string converted;
    ListLineReader lines(bytes);
    std::string_view raw;
    while (lines.Next(raw)) {
        std::string_view line = raw;
        if (utf8) {
            converted = FromUtf8(raw);
            line = converted;
        } else if (Contains(raw, "charset=UTF-8")) {
            utf8 = true;  // from the next line on
        }
        if (open.empty()) {
            if (Contains(line, "<DL>")) {
                open.push_back(&folder);
                pendingName.clear();
            }
            continue;
        }
        if (Contains(line, "</DL>")) {
            open.pop_back();
            continue;
        }
        std::size_t rule = line.find("<HR>");
        if (rule != npos) {
            tree.AddNode(*open.back(), "", "", kItemSeparator, kDefaultItemStyle, kDefaultItemExStyle);
            // Some writers put the next entry on the same line as the rule.
            line = line.substr(rule + 4);
        }
        if (Contains(line, "<DT><A") && Contains(line, "</A>")) {
            AddLink(line, tree, *open.back());
        } else if (Contains(line, "<DL>")) {
            BookmarkNode* child = tree.AddNode(*open.back(), UnescapeAmp(TrimBlanks(pendingName)), "",
                                               kItemFolder, kDefaultItemStyle, kDefaultItemExStyle);
            open.push_back(child);
            pendingName.clear();
        } else if (Contains(line, "<DT><H3")) {
            pendingName = FolderName(line);
        }
    }
}

ExchangeStatus ImportNetscape(std::string_view path, BookmarkTree& tree, BookmarkNode* target) {
    return ImportFile(path, tree, target, true, [&tree](const std::string& bytes, BookmarkNode& scratch) {
        ParseNetscapeBookmarks(bytes, tree, scratch);
    });
}

}  // namespace fern
