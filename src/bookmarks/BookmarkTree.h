#pragma once
// The bookmark tree of one bookmark file: the bookmark root, the trash, the
// modified flag and the time stamp that new nodes get, with loading, saving
// and the menu that mirrors the root.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "bookmarks/BookmarkMenu.h"
#include "bookmarks/BookmarkOptions.h"
#include "lists/BookmarkFile.h"

namespace fern {

class IMessageBox;

// Seconds since 1970-01-01 UTC.
using BookmarkClock = std::function<std::uint32_t()>;
BookmarkClock SystemBookmarkClock();

// The outcome of a save. A failed save has been logged (one line on standard
// error) and leaves the tree modified; the caller tells the user.
struct BookmarkSaveResult {
    bool ok = true;
    bool wroteList = false;  // the bookmark file was written
    bool wroteHtml = false;  // the HTML copy was written
    std::string error;
    explicit operator bool() const { return ok; }
};

// The HTML copy beside a bookmark file: the file name from its first "." on
// replaced by ".htm" ("bookmark.fbl" -> "bookmark.htm"); ".htm" is appended
// to a name without one.
std::string HtmlCopyPath(std::string_view bookmarkPath);

class BookmarkTree {
public:
    // A tree with an empty root and trash and no file; the time stamp is
    // taken now.
    BookmarkTree(BookmarkOptions options, BookmarkClock clock);
    BookmarkTree(const BookmarkTree&) = delete;
    BookmarkTree& operator=(const BookmarkTree&) = delete;

    BookmarkNode& Root() { return *root_; }
    const BookmarkNode& Root() const { return *root_; }
    BookmarkNode& Trash() { return *trash_; }
    const BookmarkNode& Trash() const { return *trash_; }

    const BookmarkOptions& Options() const { return options_; }
    void SetOptions(const BookmarkOptions& options);

    bool Modified() const { return modified_; }
    // Every change made for the user marks the tree modified.
    void SetModified() { modified_ = true; }

    std::uint32_t TimeStamp() const { return timeStamp_; }
    // Taken again before each import, so imported nodes carry its time.
    void RenewTimeStamp();

    const std::string& Path() const { return path_; }
    // The file exists but could not be read at Load: it is kept as it is.
    bool Unreadable() const { return unreadableFile_; }

    // A new tree read from `path` (root "Fern Browser BookMark"; a missing
    // file gives the folder "リンク"), not modified. The status tells whether
    // the file could be read. A file that exists but could not be read is
    // never overwritten by a later Save.
    ListFileStatus Load(std::string_view path);
    // Counts the loads: whoever holds nodes of the tree sees it was replaced.
    std::uint64_t LoadCount() const { return loadCount_; }

    // Writes the bookmark file when the tree is modified (to `path`, empty for
    // the current one), then the HTML copy when BKStyle bit 3 is set and the
    // tree was written now or loaded since the last copy.
    BookmarkSaveResult Save(std::string_view path = {});

    // Before another file replaces this tree: a modified tree with a known
    // path asks "%sは変更されています。\n上書き保存しますか？"; OK saves, Cancel
    // drops the changes. Then `newPath` is loaded. A save that fails keeps
    // this tree (false), so no change is lost unseen.
    bool Switch(std::string_view newPath, IMessageBox& messageBox);

    // A node named and addressed as given (right-trimmed), created at the
    // time stamp, linked as the last child of `parent`. Does not mark the
    // tree modified: readers build trees with it.
    BookmarkNode* AddNode(BookmarkNode& parent, std::string_view name, std::string_view url,
                          std::uint16_t type, std::uint32_t style, std::uint32_t exstyle);

    // A bookmark for a page (title and url) at the end of `folder` (the root
    // when null), with the default add style as security mode; modified.
    BookmarkNode* AddCurrentPage(BookmarkNode* folder, std::string_view title, std::string_view url,
                                 std::uint32_t style = kDefaultItemStyle);

    // An unlinked folder that an import fills before PasteChildren.
    std::unique_ptr<BookmarkNode> MakeScratchFolder() const;
    // Moves the children of `scratch` to the end of `target` (the root when
    // null) as a paste does; modified. Returns how many top nodes moved.
    std::size_t PasteChildren(BookmarkNode& scratch, BookmarkNode* target);

    std::string TipText(const BookmarkNode& node) const;

    // The "ブックマーク(&B)" popup; rebuilt from the root at each Load.
    BookmarkMenu& Menu() { return menu_; }
    const BookmarkMenu& Menu() const { return menu_; }

private:
    BookmarkReadOptions ReadOptions() const;

    BookmarkOptions options_;
    BookmarkClock clock_;
    std::unique_ptr<BookmarkNode> root_;
    std::unique_ptr<BookmarkNode> trash_;
    bool modified_ = false;
    std::uint32_t timeStamp_ = 0;
    std::string path_;
    bool htmlDue_ = false;         // loaded since the last HTML copy
    bool unreadableFile_ = false;  // path_ exists but could not be read at Load
    std::uint64_t loadCount_ = 0;
    BookmarkMenu menu_;
};

}  // namespace fern
