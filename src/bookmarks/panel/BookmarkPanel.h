#pragma once
// The bookmark panel's logic, without widgets: the selection, every edit of
// the tree with its undo record, the trash, sorting, clipboard and drops,
// opening bookmarks. The widget shows the tree through IBookmarkTreeView
// and hands its events here.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "bookmarks/BookmarkTree.h"
#include "bookmarks/panel/BookmarkHistory.h"
#include "bookmarks/panel/BookmarkSort.h"

namespace fern {

// What the widget does for the logic.
class IBookmarkTreeView {
public:
    virtual ~IBookmarkTreeView() = default;
    // The tree changed: show it again (open folders stay open) with
    // `select` selected and visible.
    virtual void ShowTree(const std::vector<BookmarkNode*>& select) = 0;
    virtual void ExpandAll(bool expand) = 0;
};

// What a paste or a drop carries: the private format, plain text, files.
struct BookmarkTransfer {
    std::string privateBytes;
    std::string text;                // Shift-JIS
    std::vector<std::string> files;  // file-system paths
    bool Empty() const { return privateBytes.empty() && text.empty() && files.empty(); }
};

class IBookmarkClipboard {
public:
    virtual ~IBookmarkClipboard() = default;
    // Nodes: the private format, with their urls as plain text beside it.
    virtual void PutNodes(const std::string& privateBytes, const std::string& text) = 0;
    virtual void PutText(const std::string& text) = 0;
    virtual BookmarkTransfer Get() = 0;
    virtual bool HasData() = 0;
};

// Where a node goes: into `parent` after `prev` (null: first).
struct BookmarkPlace {
    BookmarkNode* parent = nullptr;
    BookmarkNode* prev = nullptr;
};

enum class DropPosition { Before, Into, After };

// The name a plain-text paste or drop gets.
inline constexpr const char* kNewItemName = "新しいアイテム";
inline constexpr const char* kNewFolderName = "新しいフォルダ";
inline constexpr const char* kNewBookmarkName = "新しいブックマーク";

// Bits of BKBarStyle the panel follows.
inline constexpr int kBarOpenInNewTab = 0x1;
inline constexpr int kBarInfoTips = 0x2;
inline constexpr int kBarUseTrash = 0x4;
inline constexpr int kBarDoubleClick = 0x10;

// `nodes` with duplicates, null entries and nodes below another entry
// dropped, in their order: a folder and what it holds act once.
std::vector<BookmarkNode*> NormalizeSelection(const std::vector<BookmarkNode*>& nodes);

class CBookmarkPanel {
public:
    struct Host {
        // Opens a bookmark's address (with its style and security mode).
        // Gets a copy: opening runs page code that may change the tree.
        std::function<void(const UrlItem& bookmark, bool newTab, bool viewSource)> open;
        // The panel changed the tree: mark it modified, rebuild the menus.
        std::function<void()> changed;
    };
    CBookmarkPanel(BookmarkTree& tree, IBookmarkTreeView& view, IBookmarkClipboard& clipboard, Host host);

    BookmarkTree& Tree() { return m_tree; }
    void SetBarStyle(int barStyle) { m_barStyle = barStyle; }
    int BarStyle() const { return m_barStyle; }

    // The tree was loaded again (another file, a reload): the undo lists
    // and the selection name nodes that are gone, so they are dropped.
    // Also noticed by itself before every command.
    void TreeReplaced();
    bool TreeIsCurrent() const { return m_loadCount == m_tree.LoadCount(); }

    // The view's selection, in selection order.
    void SetSelection(std::vector<BookmarkNode*> nodes);
    // Normalised; the root and the trash included when selected.
    const std::vector<BookmarkNode*>& Selection() const { return m_selection; }
    std::size_t SelectionCount() const { return m_rawCount; }

    // The root and the trash: never deleted, moved, cut or edited.
    bool IsFixed(const BookmarkNode* node) const;
    bool InTrash(const BookmarkNode* node) const;
    // Whether `node` is in the tree now (a dialog may hold one that went).
    bool Live(const BookmarkNode* node) const;

    // Opening: a click or Enter opens the first selected bookmark (a new tab
    // with Shift or BKBarStyle bit 0; its source with Alt).
    bool CanOpen() const;
    void OpenNode(const BookmarkNode& node, bool shift, bool alt);
    void Open(bool shift, bool alt);
    void OpenInNewTabs(bool alt);
    // Every bookmark directly in the selected folder (or `folder`), new tabs.
    bool CanOpenFolder() const { return FolderTarget() != nullptr; }
    std::size_t OpenFolder(const BookmarkNode* folder = nullptr);

    // New nodes: where they go (into a selected folder at its end, after a
    // selected item, else at the end of the root).
    BookmarkPlace NewPlace() const;
    BookmarkNode* InsertNew(const BookmarkFields& fields, BookmarkPlace place);
    BookmarkNode* NewSeparator();
    // A fresh node's fields: name "新しいフォルダ" or "新しいブックマーク".
    BookmarkFields NewFields(bool folder) const;

    bool CanEdit() const;
    // The sheet's OK: recorded as an edit; false when the node is gone.
    bool ApplyEdit(BookmarkNode* node, const BookmarkFields& fields);

    bool CanChange() const;  // a selection of nodes that may move
    void Cut();
    void Copy();
    bool CanPaste() const { return true; }
    bool Paste();
    // A drop on `target` (null: the end of the root). `moveNodes`: the drag
    // came from this panel with these nodes, which are moved; otherwise the
    // transfer is inserted. False when refused or nothing came.
    bool Drop(const BookmarkTransfer& data, BookmarkNode* target, DropPosition where,
              const std::vector<BookmarkNode*>& moveNodes = {});
    BookmarkPlace DropPlace(BookmarkNode* target, DropPosition where) const;
    // Moves `nodes` to `place` in one step; refused (false, nothing moves)
    // when any would go into itself or below itself, or is fixed.
    bool MoveNodes(const std::vector<BookmarkNode*>& nodes, BookmarkPlace place);

    // Into the trash when BKBarStyle bit 2 is set, Shift is not held and
    // the node is not in the trash already; otherwise for good.
    void Delete(bool shift);
    bool CanEmptyTrash() const { return m_tree.Trash().FirstChild() != nullptr; }
    void EmptyTrash();

    bool CanCopyTitle() const;
    bool CanCopyUrl() const;
    void CopyTitle();
    void CopyUrl();

    bool CanSort() const { return SortTarget() != nullptr; }
    BookmarkSortOrder& SortOrder() { return m_sortOrder; }
    void Sort(BookmarkSortKey key);

    bool CanUndo() const { return m_history.CanUndo(); }
    bool CanRedo() const { return m_history.CanRedo(); }
    void Undo();
    void Redo();
    bool HasHistory() const { return m_history.CanUndo() || m_history.CanRedo(); }
    void ClearHistory() { m_history.Clear(); }
    const CBookmarkHistory& History() const { return m_history; }

    // Imports: the nodes read into `scratch` go to NewPlace() as one step.
    std::size_t InsertImported(BookmarkNode& scratch);

    // Status text: the url under the pointer, else the size of a multiple
    // selection; empty otherwise.
    std::string StatusText(const BookmarkNode* hovered) const;

private:
    BookmarkTree& m_tree;
    IBookmarkTreeView& m_view;
    IBookmarkClipboard& m_clipboard;
    Host m_host;
    CBookmarkHistory m_history;
    std::vector<BookmarkNode*> m_selection;
    std::size_t m_rawCount = 0;
    std::vector<BookmarkNode*> m_opened;  // the selected bookmarks, for opening
    int m_barStyle = 6;
    BookmarkSortOrder m_sortOrder = BookmarkSortOrder::Ascending;
    std::uint64_t m_loadCount = 0;

    void CheckTree();
    BookmarkNode* FolderTarget() const;
    BookmarkNode* SortTarget() const;
    std::vector<BookmarkNode*> Changeable() const;
    // Records the step, tells the host, shows the tree with `select`.
    void Finish(BookmarkStep step, const std::vector<BookmarkNode*>& select);
    std::vector<BookmarkNode*> InsertTransfer(BookmarkStep& step, const BookmarkTransfer& data,
                                              BookmarkPlace place);
    void AfterUndoRedo(const std::vector<BookmarkNode*>& shown);
};

}  // namespace fern
