#include "bookmarks/exchange/ExchangeText.h"

#include <optional>

#include "bookmarks/BookmarkTree.h"
#include "lists/ListFileStore.h"

namespace fern {

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f'; }

}  // namespace

std::string_view TrimBlanks(std::string_view text) {
    while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
    return text;
}

std::string UnescapeAmp(std::string_view text) {
    static constexpr std::string_view kAmp = "&amp;";
    std::string out;
    out.reserve(text.size());
    std::size_t from = 0;
    for (std::size_t at; (at = text.find(kAmp, from)) != std::string_view::npos; from = at + kAmp.size()) {
        out.append(text.substr(from, at - from));
        out += '&';
    }
    out.append(text.substr(from));
    return out;
}

std::optional<std::string> ReadImportFile(std::string_view path, ExchangeStatus& status) {
    ListFileStatus read;
    std::optional<std::string> bytes = LoadListFile(path, read);
    if (!bytes) {
        status = ExchangeStatus::Failed(read.error);
        return std::nullopt;
    }
    status = ExchangeStatus{};
    return bytes;
}

std::size_t CountDescendants(const BookmarkNode& folder) {
    std::size_t count = 0;
    for (const BookmarkNode* n = NextInTree(&folder, &folder); n; n = NextInTree(n, &folder)) ++count;
    return count;
}

ExchangeStatus PasteImport(BookmarkTree& tree, BookmarkNode& scratch, BookmarkNode* target) {
    ExchangeStatus status;
    status.imported = CountDescendants(scratch);
    tree.PasteChildren(scratch, target);
    return status;
}

ExchangeStatus ImportFile(std::string_view path, BookmarkTree& tree, BookmarkNode* target,
                          bool renewTimeStamp,
                          const std::function<void(const std::string&, BookmarkNode&)>& parse) {
    ExchangeStatus status;
    std::optional<std::string> bytes = ReadImportFile(path, status);
    if (!bytes) return status;
    if (renewTimeStamp) tree.RenewTimeStamp();
    std::unique_ptr<BookmarkNode> scratch = tree.MakeScratchFolder();
    parse(*bytes, *scratch);
    return PasteImport(tree, *scratch, target);
}

}  // namespace fern
