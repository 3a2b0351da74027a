#include "bookmarks/exchange/HtmlList.h"

#include <vector>

#include "bookmarks/BookmarkTree.h"
#include "bookmarks/exchange/ExchangeText.h"
#include "lists/ListLine.h"
#include "platform/fs/FileIo.h"

namespace fern {

namespace {

constexpr std::size_t npos = std::string_view::npos;

// Indents stop growing past this depth, so that a tree nested without end
// gives a list that grows with the number of nodes, not their square.
constexpr std::size_t kMaxIndentLevel = 100;

std::string& Indent(std::string& out, std::size_t level) {
    return out.append(level < kMaxIndentLevel ? level : kMaxIndentLevel, '\t');
}

void AppendList(std::string& out, const BookmarkNode& top) {
    out += "<UL>\n";
    std::size_t level = 1;
    const BookmarkNode* node = top.FirstChild();
    while (node) {
        Indent(out, level);
        switch (node->type) {
            case kItemFolder: out += "<LI>" + node->name + "<UL>\n"; break;
            case kItemUrl: out += "<LI><A HREF=\"" + node->url + "\">" + node->name + "</A>\n"; break;
            default: out += "<HR>\n"; break;
        }
        if (node->IsFolder() && node->FirstChild()) {
            node = node->FirstChild();
            ++level;
            continue;
        }
        if (node->IsFolder()) Indent(out, level) += "</UL>\n";
        while (node != &top && !node->Next()) {
            node = node->Parent();
            --level;
            if (node != &top) Indent(out, level) += "</UL>\n";
        }
        node = node == &top ? nullptr : node->Next();
    }
    out += "</UL>\n";
}

// "<LI ID=style VALUE=exstyle><A HREF=...": the two numbers, when present.
void ReadItemNumbers(std::string_view line, std::uint32_t& style, std::uint32_t& exstyle) {
    std::size_t id = line.find("<LI ID=");
    if (id == npos) return;
    std::size_t tagEnd = line.find("><A", id);
    std::string_view tag = line.substr(id, tagEnd == npos ? npos : tagEnd - id);
    style = ParseListNumber(tag.substr(7));
    std::size_t value = tag.find("VALUE=");
    if (value != npos) exstyle = ParseListNumber(tag.substr(value + 6));
}

void AddLink(std::string_view line, BookmarkTree& tree, BookmarkNode& folder) {
    line = TrimBlanks(line);
    std::uint32_t style = kDefaultItemStyle, exstyle = kDefaultItemExStyle;
    ReadItemNumbers(line, style, exstyle);
    std::string_view url, name;
    std::size_t start = line.find("=\"");
    if (start != npos) {
        start += 2;
        std::size_t end = line.find("\">", start);
        if (end != npos) {
            url = line.substr(start, end - start);
            std::size_t nameEnd = line.find("</A>", end + 2);
            if (nameEnd != npos) name = line.substr(end + 2, nameEnd - end - 2);
        }
    }
    tree.AddNode(folder, name, url, kItemUrl, style, exstyle);
}

}  // namespace

std::string SerializeHtmlList(const BookmarkNode& root, const BookmarkNode* trash) {
    std::string out = "<HTML>\n<TITLE>" + root.name + "</TITLE>\n";
    AppendList(out, root);
    if (trash) AppendList(out, *trash);
    out += "</HTML>\n";
    std::string crlf;
    crlf.reserve(out.size() + out.size() / 16);
    for (char c : out) {
        if (c == '\n') crlf += '\r';
        crlf += c;
    }
    return crlf;
}

ExchangeStatus WriteHtmlList(std::string_view path, const BookmarkTree& tree) {
    std::string error;
    if (!WriteFileAtomic(path, SerializeHtmlList(tree.Root(), &tree.Trash()), &error))
        return ExchangeStatus::Failed(error);
    return ExchangeStatus{};
}

void ParseHtmlList(std::string_view bytes, BookmarkTree& tree, BookmarkNode& folder) {
    std::vector<BookmarkNode*> open;  // innermost last; empty at the top level
    ListLineReader lines(bytes);
    std::string_view line;
    while (lines.Next(line)) {
        if (open.empty()) {
            if (Contains(line, "<UL>")) open.push_back(&folder);
            continue;
        }
        if (Contains(line, "</UL>")) {
            open.pop_back();
        } else if (Contains(line, "<HR>")) {
            tree.AddNode(*open.back(), "", "", kItemSeparator, kDefaultItemStyle, kDefaultItemExStyle);
        } else if (Contains(line, "<LI") && Contains(line, "><A") && Contains(line, "</A>")) {
            AddLink(line, tree, *open.back());
        } else if (Contains(line, "<LI>") && Contains(line, "<UL>")) {
            std::string_view text = TrimBlanks(line);
            std::size_t start = text.find("<LI>") + 4;
            std::size_t end = text.find("<UL>", start);
            std::string_view name = end == npos ? std::string_view() : text.substr(start, end - start);
            open.push_back(
                tree.AddNode(*open.back(), name, "", kItemFolder, kDefaultItemStyle, kDefaultItemExStyle));
        }
    }
}

ExchangeStatus ImportHtmlList(std::string_view path, BookmarkTree& tree, BookmarkNode* target) {
    return ImportFile(path, tree, target, false, [&tree](const std::string& bytes, BookmarkNode& scratch) {
        ParseHtmlList(bytes, tree, scratch);
    });
}

}  // namespace fern
