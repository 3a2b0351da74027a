#include "bookmarks/BookmarkTree.h"

#include <sys/stat.h>
#include <time.h>

#include <cerrno>

#include "bookmarks/BookmarkTip.h"
#include "bookmarks/exchange/HtmlList.h"
#include "platform/fs/FileIo.h"
#include "platform/shell/MessageBox.h"

namespace fern {

namespace {

const char kAppCaption[] = "Fern Browser";

// Anything at the path, or a path that cannot even be looked at.
bool PathExists(std::string_view path) {
    struct stat st;
    if (::stat(std::string(path).c_str(), &st) == 0) return true;
    return errno != ENOENT && errno != ENOTDIR;
}

}  // namespace

BookmarkClock SystemBookmarkClock() {
    return [] {
        timespec now{};
        clock_gettime(CLOCK_REALTIME, &now);
        return static_cast<std::uint32_t>(now.tv_sec);
    };
}

std::string HtmlCopyPath(std::string_view bookmarkPath) {
    // Only the file name counts: a dot in a folder name (such as "~/.config")
    // must not cut the path there.
    std::size_t nameStart = bookmarkPath.rfind('/');
    nameStart = nameStart == std::string_view::npos ? 0 : nameStart + 1;
    std::size_t dot = bookmarkPath.find('.', nameStart);
    return std::string(bookmarkPath.substr(0, dot)) + ".htm";
}

BookmarkTree::BookmarkTree(BookmarkOptions options, BookmarkClock clock)
    : options_(std::move(options)),
      clock_(clock ? std::move(clock) : SystemBookmarkClock()),
      menu_(BookmarkMenu::Top::MainMenu, BookmarkMenuOptions::ForMainMenu(options_)) {
    timeStamp_ = clock_();
    root_ = MakeBookmarkNode(kItemFolder, kBookmarkRootName, "", kDefaultItemStyle, kDefaultItemExStyle,
                             timeStamp_);
    trash_ = MakeBookmarkNode(kItemFolder, kTrashFolderName, "", kDefaultItemStyle, kDefaultItemExStyle,
                              timeStamp_);
    menu_.Rebuild(root_.get());
}

void BookmarkTree::SetOptions(const BookmarkOptions& options) {
    options_ = options;
    menu_.SetOptions(BookmarkMenuOptions::ForMainMenu(options_));
}

void BookmarkTree::RenewTimeStamp() { timeStamp_ = clock_(); }

BookmarkReadOptions BookmarkTree::ReadOptions() const {
    BookmarkReadOptions read;
    read.rootName = kBookmarkRootName;
    read.timeStamp = timeStamp_;
    read.defaultAddStyle = options_.defaultAddStyle;
    return read;
}

ListFileStatus BookmarkTree::Load(std::string_view path) {
    // A new tree: its own time stamp, then the file.
    timeStamp_ = clock_();
    BookmarkFileContents contents = ReadBookmarkFile(path, ReadOptions());
    root_ = std::move(contents.root);
    trash_ = std::move(contents.trash);
    ++loadCount_;
    modified_ = false;
    path_ = std::string(path);
    htmlDue_ = true;
    unreadableFile_ = !contents.status.ok && PathExists(path);
    menu_.Rebuild(root_.get());
    return contents.status;
}

BookmarkSaveResult BookmarkTree::Save(std::string_view path) {
    BookmarkSaveResult result;
    std::string target(path.empty() ? std::string_view(path_) : path);
    if (modified_) {
        if (target.empty()) {
            result.ok = false;
            result.error = "the bookmarks have no file name";
            LogWriteFailure("(bookmarks)", result.error);
            return result;
        }
        if (unreadableFile_ && target == path_) {
            // What the file holds was never read; writing this tree over it
            // would lose it.
            result.ok = false;
            result.error = "the file could not be read when it was loaded; it is kept as it is";
            LogWriteFailure(target, result.error);
            return result;
        }
        ListFileStatus written = WriteBookmarkFile(target, *root_, *trash_);
        if (!written) {
            result.ok = false;
            result.error = written.error;
            LogWriteFailure(target, written.error);
            return result;
        }
        modified_ = false;
        result.wroteList = true;
        htmlDue_ = true;
    }
    if ((options_.style & kBkSaveHtmlToo) && htmlDue_ && !target.empty()) {
        std::string htmlPath = HtmlCopyPath(target);
        ExchangeStatus html = WriteHtmlList(htmlPath, *this);
        if (!html) {
            result.ok = false;
            result.error = html.error;
            LogWriteFailure(htmlPath, html.error);
            return result;
        }
        htmlDue_ = false;
        result.wroteHtml = true;
    }
    return result;
}

bool BookmarkTree::Switch(std::string_view newPath, IMessageBox& messageBox) {
    if (modified_ && !path_.empty()) {
        std::string text = path_ + "は変更されています。\n上書き保存しますか？";
        if (messageBox.Show(text, kAppCaption, MessageBoxKind::OkCancel) == MessageBoxAnswer::Ok) {
            if (!Save()) return false;
        }
    }
    Load(newPath);
    return true;
}

BookmarkNode* BookmarkTree::AddNode(BookmarkNode& parent, std::string_view name, std::string_view url,
                                    std::uint16_t type, std::uint32_t style, std::uint32_t exstyle) {
    return AddBookmarkNode(parent, type, name, url, style, exstyle, timeStamp_);
}

BookmarkNode* BookmarkTree::AddCurrentPage(BookmarkNode* folder, std::string_view title, std::string_view url,
                                           std::uint32_t style) {
    BookmarkNode& parent = folder && folder->IsFolder() ? *folder : *root_;
    BookmarkNode* node = AddNode(parent, title, url, kItemUrl, style, options_.defaultAddStyle);
    SetModified();
    return node;
}

std::unique_ptr<BookmarkNode> BookmarkTree::MakeScratchFolder() const {
    return MakeBookmarkNode(kItemFolder, "", "", kDefaultItemStyle, kDefaultItemExStyle, timeStamp_);
}

std::size_t BookmarkTree::PasteChildren(BookmarkNode& scratch, BookmarkNode* target) {
    BookmarkNode& into = target && target->IsFolder() ? *target : *root_;
    std::size_t moved = 0;
    while (BookmarkNode* child = scratch.FirstChild()) {
        into.AppendChild(child->Detach());
        ++moved;
    }
    SetModified();
    return moved;
}

std::string BookmarkTree::TipText(const BookmarkNode& node) const {
    return fern::TipText(node, options_.infotipStyle, options_.dateFormat);
}

}  // namespace fern
