// Writing Netscape bookmark files.
#include <cstdio>
#include <string>

#include "bookmarks/exchange/Netscape.h"
#include "platform/fs/FileIo.h"
#include "platform/text/Encoding.h"

namespace fern {

namespace {

// Indents stop growing past this depth, so that a tree nested without end
// gives an export that grows with the number of nodes, not their square.
constexpr std::size_t kMaxIndentLevel = 100;

void Indent(std::string& out, std::size_t level) {
    out.append(4 * (level < kMaxIndentLevel ? level : kMaxIndentLevel), ' ');
}

std::string Number(std::uint32_t value) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%lu", static_cast<unsigned long>(value));
    return buffer;
}

// A quote would end the attribute: readers take the url up to it. "%22"
// names the same address ("\"" is never the second byte of a character).
std::string QuotesEscaped(const std::string& url) {
    std::string out;
    for (char c : url) {
        if (c == '"') out += "%22";
        else out += c;
    }
    return out;
}

void OpenEntry(std::string& out, const BookmarkNode& node, std::size_t level) {
    Indent(out, level);
    switch (node.type) {
        case kItemFolder:
            out += "<DT><H3 ADD_DATE=\"" + Number(node.created) + "\">" + node.name + "</H3>\n";
            Indent(out, level);
            out += "<DL><p>\n";
            break;
        case kItemUrl:
            out += "<DT><A HREF=\"" + QuotesEscaped(node.url) + "\" ADD_DATE=\"" + Number(node.created) +
                   "\" LAST_VISIT=\"0\" LAST_MODIFIED=\"0\">" + node.name + "</A>\n";
            break;
        default: out += "<HR>\n"; break;
    }
}

void CloseFolder(std::string& out, std::size_t level) {
    Indent(out, level);
    out += "</DL><p>\n";
}

std::string WithCrlf(std::string_view text) {
    std::string out;
    out.reserve(text.size() + text.size() / 16);
    for (char c : text) {
        if (c == '\n') out += '\r';
        out += c;
    }
    return out;
}

}  // namespace

std::string SerializeNetscape(const BookmarkNode& root, bool utf8) {
    std::string out;
    out += "<!DOCTYPE NETSCAPE-Bookmark-file-1>\n";
    out +=
        "<!-- This is an automatically generated file.\nIt will be read and overwritten.\n"
        "DO NOT EDIT! -->\n";
    // The label names the encoding the file is really in, so that readers
    // (this program's import too) take Japanese names right.
    out += utf8 ? "<META HTTP-EQUIV=\"Content-Type\" CONTENT=\"text/html; charset=UTF-8\">\n"
                : "<META HTTP-EQUIV=\"Content-Type\" CONTENT=\"text/html; charset=Shift_JIS\">\n";
    out += "<TITLE>" + root.name + " Bookmark</TITLE>\n";
    out += "<H1>" + root.name + " Bookmark</H1>\n\n";
    out += "<DL><p>\n";
    // Depth first without recursion; `level` is the nesting of `node`.
    std::size_t level = 1;
    const BookmarkNode* node = root.FirstChild();
    while (node) {
        OpenEntry(out, *node, level);
        if (node->IsFolder() && node->FirstChild()) {
            node = node->FirstChild();
            ++level;
            continue;
        }
        if (node->IsFolder()) CloseFolder(out, level);
        while (node != &root && !node->Next()) {
            node = node->Parent();
            --level;
            if (node != &root) CloseFolder(out, level);
        }
        node = node == &root ? nullptr : node->Next();
    }
    out += "</DL><p>\n";
    return WithCrlf(utf8 ? ToUtf8(out) : out);
}

ExchangeStatus ExportNetscape(std::string_view path, const BookmarkNode& root, bool utf8) {
    std::string error;
    // The user asked for this file: the caller tells them what went wrong.
    if (!WriteFileAtomic(path, SerializeNetscape(root, utf8), &error)) return ExchangeStatus::Failed(error);
    return ExchangeStatus{};
}

}  // namespace fern
