#include "bookmarks/exchange/BrowserImport.h"

#include <optional>

#include "bookmarks/BookmarkTree.h"
#include "bookmarks/exchange/ExchangeText.h"
#include "platform/fs/FileIo.h"

namespace fern {

namespace {

std::string InFolder(std::string_view source, const char* fileName) {
    std::string path(source);
    if (!IsDirectory(path)) return path;
    if (!path.empty() && path.back() != '/') path += '/';
    return path + fileName;
}

bool EndsWith(std::string_view text, std::string_view end) {
    return text.size() >= end.size() && text.substr(text.size() - end.size()) == end;
}

}  // namespace

std::string FirefoxPlacesPath(std::string_view source) { return InFolder(source, "places.sqlite"); }
std::string ChromiumBookmarksPath(std::string_view source) { return InFolder(source, "Bookmarks"); }

std::optional<BrowserFamily> FamilyOfSource(std::string_view source) {
    if (IsRegularFile(FirefoxPlacesPath(source)) &&
        (IsDirectory(source) || EndsWith(source, "/places.sqlite") || source == "places.sqlite"))
        return BrowserFamily::Firefox;
    if (IsRegularFile(ChromiumBookmarksPath(source)) &&
        (IsDirectory(source) || EndsWith(source, "/Bookmarks") || source == "Bookmarks"))
        return BrowserFamily::Chromium;
    return std::nullopt;
}

ExchangeStatus ReadBrowserProfile(BrowserFamily family, std::string_view source, BookmarkTree& tree,
                                  BookmarkNode& scratch) {
    tree.RenewTimeStamp();
    if (family == BrowserFamily::Firefox) return ReadFirefoxPlaces(FirefoxPlacesPath(source), tree, scratch);
    ExchangeStatus status;
    std::optional<std::string> bytes = ReadImportFile(ChromiumBookmarksPath(source), status);
    if (bytes) status = ParseChromiumBookmarks(*bytes, tree, scratch);
    return status;
}

ExchangeStatus ImportBrowserProfile(BrowserFamily family, std::string_view source, BookmarkTree& tree,
                                    BookmarkNode* target) {
    std::unique_ptr<BookmarkNode> scratch = tree.MakeScratchFolder();
    ExchangeStatus status = ReadBrowserProfile(family, source, tree, *scratch);
    if (!status) return status;
    std::size_t skipped = status.skipped;
    status = PasteImport(tree, *scratch, target);
    status.skipped = skipped;
    return status;
}

}  // namespace fern
