#include "bookmarks/panel/BookmarkPanel.h"

#include <algorithm>
#include <cstdio>
#include <set>

#include "bookmarks/UrlShortcut.h"
#include "bookmarks/exchange/ExchangeText.h"
#include "lists/BookmarkClip.h"
#include "platform/fs/FsPath.h"

namespace fern {

namespace {

bool EndsWithUrlSuffix(const std::string& path) {
    if (path.size() < 4) return false;
    std::string tail = path.substr(path.size() - 4);
    for (char& c : tail)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return tail == ".url";
}

std::string BaseName(const std::string& path) {
    std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// The first line of `text` holding more than blanks, trimmed.
std::string FirstLine(std::string_view text) {
    while (!text.empty()) {
        std::size_t end = text.find_first_of("\r\n");
        std::string_view line = TrimBlanks(text.substr(0, end));
        if (!line.empty()) return std::string(line);
        if (end == std::string_view::npos) break;
        text.remove_prefix(end + 1);
    }
    return {};
}

}  // namespace

std::vector<BookmarkNode*> NormalizeSelection(const std::vector<BookmarkNode*>& nodes) {
    std::set<const BookmarkNode*> chosen(nodes.begin(), nodes.end());
    std::set<const BookmarkNode*> seen;
    std::vector<BookmarkNode*> out;
    for (BookmarkNode* node : nodes) {
        if (!node || !seen.insert(node).second) continue;
        bool below = false;
        for (const BookmarkNode* p = node->Parent(); p && !below; p = p->Parent())
            below = chosen.count(p) > 0;
        if (!below) out.push_back(node);
    }
    return out;
}

CBookmarkPanel::CBookmarkPanel(BookmarkTree& tree, IBookmarkTreeView& view, IBookmarkClipboard& clipboard,
                               Host host)
    : m_tree(tree),
      m_view(view),
      m_clipboard(clipboard),
      m_host(std::move(host)),
      m_loadCount(tree.LoadCount()) {}

void CBookmarkPanel::TreeReplaced() {
    m_history.Clear();
    m_selection.clear();
    m_rawCount = 0;
    m_opened.clear();
    m_loadCount = m_tree.LoadCount();
}

void CBookmarkPanel::CheckTree() {
    if (m_loadCount != m_tree.LoadCount()) TreeReplaced();
}

void CBookmarkPanel::SetSelection(std::vector<BookmarkNode*> nodes) {
    CheckTree();
    m_rawCount = nodes.size();
    m_selection = NormalizeSelection(nodes);
    m_opened.clear();
    for (BookmarkNode* n : nodes)
        if (n && n->type == kItemUrl && std::find(m_opened.begin(), m_opened.end(), n) == m_opened.end())
            m_opened.push_back(n);
}

bool CBookmarkPanel::Live(const BookmarkNode* node) const {
    // Compared, never followed: the pointer may name a node that is gone.
    if (!node) return false;
    for (const BookmarkNode* top : {&m_tree.Root(), &m_tree.Trash()})
        for (const BookmarkNode* n = top; n; n = NextInTree(n, top))
            if (n == node) return true;
    return false;
}

bool CBookmarkPanel::IsFixed(const BookmarkNode* node) const {
    return node == &m_tree.Root() || node == &m_tree.Trash();
}

bool CBookmarkPanel::InTrash(const BookmarkNode* node) const { return IsSameOrBelow(node, &m_tree.Trash()); }

bool CBookmarkPanel::CanOpen() const { return !m_selection.empty() && m_selection.front()->type == kItemUrl; }

void CBookmarkPanel::OpenNode(const BookmarkNode& node, bool shift, bool alt) {
    if (node.type != kItemUrl || !m_host.open) return;
    m_host.open(static_cast<const UrlItem&>(node), shift || (m_barStyle & kBarOpenInNewTab), alt);
}

void CBookmarkPanel::Open(bool shift, bool alt) {
    if (CanOpen()) OpenNode(*m_selection.front(), shift, alt);
}

void CBookmarkPanel::OpenInNewTabs(bool alt) {
    if (!m_host.open) return;
    // Every selected bookmark, also one inside a selected folder.
    std::vector<UrlItem> items;
    for (const BookmarkNode* n : m_opened) items.push_back(*n);
    for (const UrlItem& item : items) m_host.open(item, true, alt);
}

BookmarkNode* CBookmarkPanel::FolderTarget() const {
    if (m_selection.size() == 1 && m_selection.front()->IsFolder()) return m_selection.front();
    return nullptr;
}

std::size_t CBookmarkPanel::OpenFolder(const BookmarkNode* folder) {
    if (!folder) folder = FolderTarget();
    if (!folder || !m_host.open) return 0;
    std::vector<UrlItem> items;
    for (const BookmarkNode* n = folder->FirstChild(); n; n = n->Next())
        if (n->type == kItemUrl) items.push_back(*n);
    for (const UrlItem& item : items) m_host.open(item, true, false);
    return items.size();
}

BookmarkPlace CBookmarkPanel::NewPlace() const {
    if (!m_selection.empty()) {
        BookmarkNode* first = m_selection.front();
        if (first->IsFolder()) return {first, first->LastChild()};
        if (first->Parent()) return {first->Parent(), first};
    }
    return {&m_tree.Root(), m_tree.Root().LastChild()};
}

BookmarkFields CBookmarkPanel::NewFields(bool folder) const {
    auto node = MakeBookmarkNode(
        folder ? kItemFolder : kItemUrl, folder ? kNewFolderName : kNewBookmarkName, "", kDefaultItemStyle,
        folder ? kDefaultItemExStyle : m_tree.Options().defaultAddStyle, m_tree.TimeStamp());
    return FieldsOf(*node);
}

BookmarkNode* CBookmarkPanel::InsertNew(const BookmarkFields& fields, BookmarkPlace place) {
    CheckTree();
    // The sheet was open while the tree changed: its place may be gone.
    if (!Live(place.parent) || !place.parent->IsFolder()) place = {&m_tree.Root(), m_tree.Root().LastChild()};
    if (!Live(place.prev)) place.prev = place.parent->LastChild();
    auto node = MakeBookmarkNode(fields.type, "", "", 0, 0, 0);
    SetFields(*node, fields);
    BookmarkStep step;
    BookmarkNode* added = RecordedInsert(step, std::move(node), *place.parent, place.prev);
    Finish(std::move(step), {added});
    return added;
}

BookmarkNode* CBookmarkPanel::NewSeparator() {
    CheckTree();
    return InsertNew(FieldsOf(*MakeBookmarkNode(kItemSeparator, "", "", kDefaultItemStyle,
                                                kDefaultItemExStyle, m_tree.TimeStamp())),
                     NewPlace());
}

bool CBookmarkPanel::CanEdit() const {
    return m_selection.size() == 1 && !IsFixed(m_selection.front()) &&
           m_selection.front()->type != kItemSeparator;
}

bool CBookmarkPanel::ApplyEdit(BookmarkNode* node, const BookmarkFields& fields) {
    CheckTree();
    if (!Live(node) || IsFixed(node)) return false;
    BookmarkStep step;
    RecordedEdit(step, *node, fields);
    Finish(std::move(step), {node});
    return true;
}

std::vector<BookmarkNode*> CBookmarkPanel::Changeable() const {
    std::vector<BookmarkNode*> nodes;
    for (BookmarkNode* n : m_selection)
        if (!IsFixed(n)) nodes.push_back(n);
    return nodes;
}

bool CBookmarkPanel::CanChange() const { return !Changeable().empty(); }

void CBookmarkPanel::Copy() {
    std::vector<const BookmarkNode*> nodes;
    std::string text;
    for (const BookmarkNode* n : Changeable()) {
        nodes.push_back(n);
        for (const BookmarkNode* u = n; u; u = NextInTree(u, n)) {
            if (u->type != kItemUrl) continue;
            if (!text.empty()) text += "\r\n";
            text += u->url;
        }
    }
    if (nodes.empty()) return;
    m_clipboard.PutNodes(BookmarkClipBytes(nodes), text);
}

void CBookmarkPanel::Cut() {
    CheckTree();
    std::vector<BookmarkNode*> nodes = Changeable();
    if (nodes.empty()) return;
    Copy();
    BookmarkStep step;
    for (BookmarkNode* n : nodes) RecordedRemove(step, *n);
    Finish(std::move(step), {});
}

std::vector<BookmarkNode*> CBookmarkPanel::InsertTransfer(BookmarkStep& step, const BookmarkTransfer& data,
                                                          BookmarkPlace place) {
    std::vector<BookmarkNode*> added;
    BookmarkNode* prev = place.prev;
    auto insert = [&](std::unique_ptr<BookmarkNode> node) {
        prev = RecordedInsert(step, std::move(node), *place.parent, prev);
        added.push_back(prev);
    };
    if (!data.privateBytes.empty()) {
        std::unique_ptr<BookmarkNode> carried = ParseBookmarkClip(data.privateBytes);
        while (BookmarkNode* child = carried->FirstChild()) insert(child->Detach());
    }
    if (added.empty()) {
        for (const std::string& path : data.files) {
            std::string name = BaseName(path);
            std::string url;
            if (EndsWithUrlSuffix(path)) {
                name.resize(name.size() - 4);
                url = ReadUrlShortcut(path);
            } else {
                url = FileUriOfPath(path);
            }
            if (url.empty()) continue;  // a folder named "*.url"
            insert(MakeBookmarkNode(kItemUrl, PathForDisplay(name), url, kDefaultItemStyle,
                                    m_tree.Options().defaultAddStyle, m_tree.TimeStamp()));
        }
    }
    if (added.empty()) {
        std::string url = FirstLine(data.text);
        if (!url.empty())
            insert(MakeBookmarkNode(kItemUrl, kNewItemName, url, kDefaultItemStyle,
                                    m_tree.Options().defaultAddStyle, m_tree.TimeStamp()));
    }
    return added;
}

bool CBookmarkPanel::Paste() {
    CheckTree();
    BookmarkTransfer data = m_clipboard.Get();
    if (data.Empty()) return false;
    BookmarkStep step;
    std::vector<BookmarkNode*> added = InsertTransfer(step, data, NewPlace());
    if (added.empty()) return false;
    Finish(std::move(step), added);
    return true;
}

BookmarkPlace CBookmarkPanel::DropPlace(BookmarkNode* target, DropPosition where) const {
    if (!target) return {&m_tree.Root(), m_tree.Root().LastChild()};
    // Nothing goes beside the root or the trash: on them is into them.
    if (IsFixed(target) || !target->Parent()) where = DropPosition::Into;
    if (where == DropPosition::Into && !target->IsFolder()) where = DropPosition::After;
    switch (where) {
        case DropPosition::Before: return {target->Parent(), target->Prev()};
        case DropPosition::After: return {target->Parent(), target};
        case DropPosition::Into: break;
    }
    return {target, target->LastChild()};
}

bool CBookmarkPanel::MoveNodes(const std::vector<BookmarkNode*>& nodes, BookmarkPlace place) {
    CheckTree();
    std::vector<BookmarkNode*> moving = NormalizeSelection(nodes);
    if (moving.empty() || !place.parent) return false;
    for (BookmarkNode* n : moving)
        if (IsFixed(n) || IsSameOrBelow(place.parent, n)) return false;
    // A place after a node that moves away is the place after its own
    // previous sibling that stays.
    std::set<const BookmarkNode*> set(moving.begin(), moving.end());
    BookmarkNode* prev = place.prev;
    while (prev && set.count(prev)) prev = prev->Prev();
    BookmarkStep step;
    for (BookmarkNode* n : moving) {
        RecordedMove(step, *n, *place.parent, prev);
        prev = n;
    }
    Finish(std::move(step), moving);
    return true;
}

bool CBookmarkPanel::Drop(const BookmarkTransfer& data, BookmarkNode* target, DropPosition where,
                          const std::vector<BookmarkNode*>& moveNodes) {
    CheckTree();
    BookmarkPlace place = DropPlace(target, where);
    if (!moveNodes.empty()) return MoveNodes(moveNodes, place);
    BookmarkStep step;
    std::vector<BookmarkNode*> added = InsertTransfer(step, data, place);
    if (added.empty()) return false;
    Finish(std::move(step), added);
    return true;
}

void CBookmarkPanel::Delete(bool shift) {
    CheckTree();
    std::vector<BookmarkNode*> nodes = Changeable();
    if (nodes.empty()) return;
    BookmarkStep step;
    BookmarkNode& trash = m_tree.Trash();
    for (BookmarkNode* n : nodes) {
        if ((m_barStyle & kBarUseTrash) && !shift && !InTrash(n))
            RecordedMove(step, *n, trash, trash.LastChild());
        else RecordedRemove(step, *n);
    }
    Finish(std::move(step), {});
}

void CBookmarkPanel::EmptyTrash() {
    CheckTree();
    BookmarkStep step;
    while (BookmarkNode* child = m_tree.Trash().FirstChild()) RecordedRemove(step, *child);
    Finish(std::move(step), {});
}

bool CBookmarkPanel::CanCopyTitle() const {
    return !m_selection.empty() && m_selection.front()->type != kItemSeparator;
}

bool CBookmarkPanel::CanCopyUrl() const { return CanOpen(); }

void CBookmarkPanel::CopyTitle() {
    if (CanCopyTitle()) m_clipboard.PutText(m_selection.front()->name);
}

void CBookmarkPanel::CopyUrl() {
    if (CanCopyUrl()) m_clipboard.PutText(m_selection.front()->url);
}

BookmarkNode* CBookmarkPanel::SortTarget() const { return FolderTarget(); }

void CBookmarkPanel::Sort(BookmarkSortKey key) {
    CheckTree();
    BookmarkNode* folder = SortTarget();
    if (!folder) return;
    BookmarkStep step;
    BookmarkNode* prev = nullptr;
    for (BookmarkNode* n : SortedChildren(*folder, key, m_sortOrder)) {
        RecordedMove(step, *n, *folder, prev);
        prev = n;
    }
    Finish(std::move(step), {folder});
}

void CBookmarkPanel::AfterUndoRedo(const std::vector<BookmarkNode*>& shown) {
    // The nodes the step put back or changed are selected and shown.
    std::vector<BookmarkNode*> select = NormalizeSelection(shown);
    m_selection = select;
    m_rawCount = select.size();
    m_opened.clear();
    if (m_host.changed) m_host.changed();
    m_view.ShowTree(select);
}

void CBookmarkPanel::Undo() {
    CheckTree();
    std::vector<BookmarkNode*> shown;
    if (m_history.Undo(&shown)) AfterUndoRedo(shown);
}

void CBookmarkPanel::Redo() {
    CheckTree();
    std::vector<BookmarkNode*> shown;
    if (m_history.Redo(&shown)) AfterUndoRedo(shown);
}

std::size_t CBookmarkPanel::InsertImported(BookmarkNode& scratch) {
    CheckTree();
    BookmarkPlace place = NewPlace();
    BookmarkStep step;
    std::vector<BookmarkNode*> added;
    BookmarkNode* prev = place.prev;
    while (BookmarkNode* child = scratch.FirstChild()) {
        prev = RecordedInsert(step, child->Detach(), *place.parent, prev);
        added.push_back(prev);
    }
    Finish(std::move(step), added);
    return added.size();
}

void CBookmarkPanel::Finish(BookmarkStep step, const std::vector<BookmarkNode*>& select) {
    if (step.empty()) return;
    m_history.Push(std::move(step));
    // Removed nodes may have been selected; the view tells the new selection.
    m_selection = select;
    m_rawCount = select.size();
    m_opened.clear();
    for (BookmarkNode* n : select)
        if (n->type == kItemUrl) m_opened.push_back(n);
    if (m_host.changed) m_host.changed();
    m_view.ShowTree(select);
}

std::string CBookmarkPanel::StatusText(const BookmarkNode* hovered) const {
    if (hovered) return hovered->type == kItemUrl ? hovered->url : std::string();
    if (m_rawCount > 1) {
        char text[64];
        std::snprintf(text, sizeof text, "%d 個のオブジェクトを選択中..", static_cast<int>(m_rawCount));
        return text;
    }
    return {};
}

}  // namespace fern
