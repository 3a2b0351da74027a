#pragma once
// The undo and redo lists of the bookmark panel. Every change the panel
// makes to the tree goes through the Recorded* calls, which change the tree
// at once and write into a step what undoing needs. A record that took a
// node out of the tree owns that subtree until the record goes, so no
// record ever points at a freed node: a delete for good, an emptied trash
// or a cut can be undone, and older records that name nodes inside such a
// subtree stay valid because undo runs newest first.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "lists/BookmarkNode.h"

namespace fern {

// The fields the property sheet changes.
struct BookmarkFields {
    std::uint16_t type = kItemUrl;
    std::uint32_t style = 0, exstyle = 0, created = 0;
    std::string name, url, desc;
};
BookmarkFields FieldsOf(const BookmarkNode& node);
void SetFields(BookmarkNode& node, const BookmarkFields& fields);

struct BookmarkRecord {
    enum class Kind { Insert = 1, Delete = 2, Edit = 3, Move = 4 };
    Kind kind = Kind::Insert;
    BookmarkNode* node = nullptr;
    std::unique_ptr<BookmarkNode> owned;  // Delete: the subtree while it is out of the tree
    BookmarkNode* parent = nullptr;       // Delete, Move: where the node was
    BookmarkNode* prev = nullptr;         //   after this sibling; null: the first child
    BookmarkFields fields;                // Edit: the fields before
};

// One user action: undone and redone as a whole.
using BookmarkStep = std::vector<BookmarkRecord>;

// True when `node` is `ancestor` or lies below it.
bool IsSameOrBelow(const BookmarkNode* node, const BookmarkNode* ancestor);

// `node` linked into `parent` after `prev` (null: first). A `prev` that is
// no longer a child of `parent` appends.
BookmarkNode* LinkAfter(BookmarkNode& parent, BookmarkNode* prev, std::unique_ptr<BookmarkNode> node);

BookmarkNode* RecordedInsert(BookmarkStep& step, std::unique_ptr<BookmarkNode> node, BookmarkNode& parent,
                             BookmarkNode* prev);
// Takes `node` (linked) out of the tree into the step.
void RecordedRemove(BookmarkStep& step, BookmarkNode& node);
void RecordedEdit(BookmarkStep& step, BookmarkNode& node, const BookmarkFields& fields);
// Refuses (false) a move into the node itself or below it, and a node with
// no parent; a move to where the node already is records nothing.
bool RecordedMove(BookmarkStep& step, BookmarkNode& node, BookmarkNode& parent, BookmarkNode* prev);

class CBookmarkHistory {
public:
    // A new action: goes first on the undo list and empties the redo list.
    // An empty step is dropped.
    void Push(BookmarkStep step);
    bool CanUndo() const { return !m_undo.empty(); }
    bool CanRedo() const { return !m_redo.empty(); }
    std::size_t UndoCount() const { return m_undo.size(); }
    std::size_t RedoCount() const { return m_redo.size(); }
    // False with nothing to undo or redo. `shown` gets the nodes the step
    // put or changed in the tree, for the view to select.
    bool Undo(std::vector<BookmarkNode*>* shown = nullptr);
    bool Redo(std::vector<BookmarkNode*>* shown = nullptr);
    // Both lists emptied; the subtrees they held are freed.
    void Clear();

private:
    std::vector<BookmarkStep> m_undo;  // back = newest
    std::vector<BookmarkStep> m_redo;
};

}  // namespace fern
