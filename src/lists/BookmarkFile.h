#pragma once
// The bookmark file: the bookmark root and the trash, each a top-level folder
// record with its children, after the header record.
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "lists/BookmarkNode.h"
#include "lists/ListFileStore.h"

namespace fern {

inline constexpr const char* kTrashFolderName = "ゴミ箱";
// The folder a missing bookmark file starts with.
inline constexpr const char* kLinksFolderName = "リンク";

// What the reader needs from the tree that will hold the nodes.
struct BookmarkReadOptions {
    std::string rootName;                                 // "Fern Browser BookMark"
    std::uint32_t timeStamp = 0;                          // `created` of nodes the file leaves undated
    std::uint32_t defaultAddStyle = kDefaultItemExStyle;  // exstyle of new URL nodes
};

struct BookmarkFileContents {
    std::unique_ptr<BookmarkNode> root;
    std::unique_ptr<BookmarkNode> trash;
    // The file held the bookmark root; the tree that takes these nodes is
    // then no longer modified.
    bool rootRead = false;
    // Whether the file could be opened (a missing file is not an error to the
    // program: the root then holds the folder "リンク").
    ListFileStatus status;
};

// The root named options.rootName and the trash, filled from `bytes`. The
// first top-level line holding "#FOLDER" starts the root; every later one
// adds its contents to the trash.
BookmarkFileContents ParseBookmarkFile(std::string_view bytes, const BookmarkReadOptions& options);

// ParseBookmarkFile on the file; a file that cannot be opened gives an empty
// trash and a root holding one folder "リンク".
BookmarkFileContents ReadBookmarkFile(std::string_view path, const BookmarkReadOptions& options);

std::string SerializeBookmarkFile(const BookmarkNode& root, const BookmarkNode& trash);

[[nodiscard]] ListFileStatus WriteBookmarkFile(std::string_view path, const BookmarkNode& root,
                                               const BookmarkNode& trash);

}  // namespace fern
