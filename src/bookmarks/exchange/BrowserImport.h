#pragma once
// Bookmarks read straight from the profile of a browser people use today,
// without exporting them first: a Firefox-family profile (places.sqlite) or
// a Chromium-family profile (the "Bookmarks" JSON file). The browser's
// roots become folders; the items keep their stored order and dates.
//
// An import is whole or nothing: the source is read completely into a
// scratch folder first, and only a source read without error is pasted.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "bookmarks/exchange/ExchangeStatus.h"
#include "lists/BookmarkNode.h"

namespace fern {

class BookmarkTree;

enum class BrowserFamily { Firefox, Chromium };

// The folder names given to the browsers' roots (Shift-JIS).
inline constexpr const char* kRootMenuName = "ブックマーク メニュー";
inline constexpr const char* kRootToolbarName = "ブックマーク ツールバー";
inline constexpr const char* kRootOtherName = "その他のブックマーク";
inline constexpr const char* kRootMobileName = "モバイルのブックマーク";

// Seconds since 1970 from the browsers' microsecond clocks; 0 (unknown)
// for a value before 1970 or past 2106.
std::uint32_t SecondsFromUnixMicros(std::int64_t micros);
std::uint32_t SecondsFromWindowsMicros(std::int64_t micros);  // since 1601

// Reads the bookmarks of the database at `placesPath` into `folder`. The
// database is never opened where it lies: it is copied with its journal
// files to a private folder first, so a browser that runs and holds its
// lock neither blocks the import nor sees it. Bookmarks whose address is a
// "place:" query are left out and counted in `skipped`, as are the tags.
ExchangeStatus ReadFirefoxPlaces(std::string_view placesPath, BookmarkTree& tree, BookmarkNode& folder);

// Reads a Chromium-family "Bookmarks" document into `folder`. A document
// that is not JSON or whose roots or nodes have the wrong shape fails whole.
ExchangeStatus ParseChromiumBookmarks(std::string_view json, BookmarkTree& tree, BookmarkNode& folder);

// The file of a profile: `source` may name the profile folder or the file.
std::string FirefoxPlacesPath(std::string_view source);
std::string ChromiumBookmarksPath(std::string_view source);

// The family whose bookmark file `source` is or holds (a folder with
// places.sqlite, or with Bookmarks; or either file itself); nullopt when
// it is neither.
std::optional<BrowserFamily> FamilyOfSource(std::string_view source);

// Reads a profile folder (or its file) into `scratch`, a folder outside the
// tree; the caller pastes it where it belongs.
ExchangeStatus ReadBrowserProfile(BrowserFamily family, std::string_view source, BookmarkTree& tree,
                                  BookmarkNode& scratch);

// The whole import from a profile folder (or its file) into `target` (the
// root when null). A failed read leaves the tree untouched.
ExchangeStatus ImportBrowserProfile(BrowserFamily family, std::string_view source, BookmarkTree& tree,
                                    BookmarkNode* target);

}  // namespace fern
