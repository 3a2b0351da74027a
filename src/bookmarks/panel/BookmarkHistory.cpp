#include "bookmarks/panel/BookmarkHistory.h"

#include <utility>

namespace fern {

namespace {

using Kind = BookmarkRecord::Kind;

// Applies the inverse of `record` and returns the record that undoes that.
BookmarkRecord Reverse(BookmarkRecord&& record) {
    BookmarkStep out;
    switch (record.kind) {
        case Kind::Insert: RecordedRemove(out, *record.node); break;
        case Kind::Delete: RecordedInsert(out, std::move(record.owned), *record.parent, record.prev); break;
        case Kind::Edit: RecordedEdit(out, *record.node, record.fields); break;
        case Kind::Move:
            if (!RecordedMove(out, *record.node, *record.parent, record.prev)) {
                // Already in place: the move back is the same move forward.
                BookmarkRecord same;
                same.kind = Kind::Move;
                same.node = record.node;
                same.parent = record.node->Parent();
                same.prev = record.node->Prev();
                return same;
            }
            break;
    }
    return std::move(out.front());
}

// Newest record first; the records that undo it come back in the order that
// undoes this application.
BookmarkStep ReverseStep(BookmarkStep&& step) {
    BookmarkStep out;
    out.reserve(step.size());
    for (auto it = step.rbegin(); it != step.rend(); ++it) out.push_back(Reverse(std::move(*it)));
    return out;
}

// The nodes of `step` that are in the tree, in the order they were changed.
std::vector<BookmarkNode*> InTree(const BookmarkStep& step) {
    std::vector<BookmarkNode*> nodes;
    for (auto it = step.rbegin(); it != step.rend(); ++it)
        if (it->kind != BookmarkRecord::Kind::Delete) nodes.push_back(it->node);
    return nodes;
}

}  // namespace

BookmarkFields FieldsOf(const BookmarkNode& node) {
    BookmarkFields f;
    f.type = node.type;
    f.style = node.style;
    f.exstyle = node.exstyle;
    f.created = node.created;
    f.name = node.name;
    f.url = node.url;
    f.desc = node.desc;
    return f;
}

void SetFields(BookmarkNode& node, const BookmarkFields& f) {
    node.type = f.type;
    node.style = f.style;
    node.exstyle = f.exstyle;
    node.created = f.created;
    node.name = f.name;
    node.url = f.url;
    node.desc = f.desc;
}

bool IsSameOrBelow(const BookmarkNode* node, const BookmarkNode* ancestor) {
    for (; node; node = node->Parent())
        if (node == ancestor) return true;
    return false;
}

BookmarkNode* LinkAfter(BookmarkNode& parent, BookmarkNode* prev, std::unique_ptr<BookmarkNode> node) {
    if (!prev) return parent.InsertChild(std::move(node), parent.FirstChild());
    if (prev->Parent() != &parent) return parent.AppendChild(std::move(node));
    return parent.InsertChild(std::move(node), prev->Next());
}

BookmarkNode* RecordedInsert(BookmarkStep& step, std::unique_ptr<BookmarkNode> node, BookmarkNode& parent,
                             BookmarkNode* prev) {
    BookmarkNode* linked = LinkAfter(parent, prev, std::move(node));
    BookmarkRecord record;
    record.kind = Kind::Insert;
    record.node = linked;
    step.push_back(std::move(record));
    return linked;
}

void RecordedRemove(BookmarkStep& step, BookmarkNode& node) {
    BookmarkRecord record;
    record.kind = Kind::Delete;
    record.node = &node;
    record.parent = node.Parent();
    record.prev = node.Prev();
    record.owned = node.Detach();
    if (!record.owned) return;  // not linked: nothing to take out
    step.push_back(std::move(record));
}

void RecordedEdit(BookmarkStep& step, BookmarkNode& node, const BookmarkFields& fields) {
    BookmarkRecord record;
    record.kind = Kind::Edit;
    record.node = &node;
    record.fields = FieldsOf(node);
    SetFields(node, fields);
    step.push_back(std::move(record));
}

bool RecordedMove(BookmarkStep& step, BookmarkNode& node, BookmarkNode& parent, BookmarkNode* prev) {
    if (!node.Parent() || IsSameOrBelow(&parent, &node) || prev == &node) return false;
    if (node.Parent() == &parent && node.Prev() == prev) return false;
    BookmarkRecord record;
    record.kind = Kind::Move;
    record.node = &node;
    record.parent = node.Parent();
    record.prev = node.Prev();
    LinkAfter(parent, prev, node.Detach());
    step.push_back(std::move(record));
    return true;
}

void CBookmarkHistory::Push(BookmarkStep step) {
    if (step.empty()) return;
    m_undo.push_back(std::move(step));
    m_redo.clear();
}

bool CBookmarkHistory::Undo(std::vector<BookmarkNode*>* shown) {
    if (m_undo.empty()) return false;
    BookmarkStep step = std::move(m_undo.back());
    m_undo.pop_back();
    m_redo.push_back(ReverseStep(std::move(step)));
    if (shown) *shown = InTree(m_redo.back());
    return true;
}

bool CBookmarkHistory::Redo(std::vector<BookmarkNode*>* shown) {
    if (m_redo.empty()) return false;
    BookmarkStep step = std::move(m_redo.back());
    m_redo.pop_back();
    m_undo.push_back(ReverseStep(std::move(step)));
    if (shown) *shown = InTree(m_undo.back());
    return true;
}

void CBookmarkHistory::Clear() {
    // Redo first: its records may own nodes that only they still hold.
    m_redo.clear();
    m_undo.clear();
}

}  // namespace fern
