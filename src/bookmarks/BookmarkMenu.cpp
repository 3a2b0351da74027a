#include "bookmarks/BookmarkMenu.h"

#include "bookmarks/BookmarkOptions.h"
#include "platform/text/TextCut.h"

namespace fern {

namespace {

BookmarkMenuItem CommandItem(std::string text, int commandId, int entry) {
    BookmarkMenuItem item;
    item.type = BookmarkMenuItem::Type::Command;
    item.text = std::move(text);
    item.commandId = commandId;
    item.entry = entry;
    return item;
}

BookmarkMenuItem SeparatorItem() { return BookmarkMenuItem{}; }

}  // namespace

BookmarkMenuOptions BookmarkMenuOptions::ForMainMenu(const BookmarkOptions& options) {
    BookmarkMenuOptions menu;
    menu.addHere = (options.style & kBkMenuAddHere) != 0;
    menu.openFolder = (options.style & kBkMenuOpenFolder) != 0;
    menu.limitText = (options.style & kBkLimitMenuText) != 0;
    menu.textLimit = options.menuTextLimit;
    return menu;
}

BookmarkMenuOptions BookmarkMenuOptions::ForLinkBar(const BookmarkOptions& options, int linkBarStyle) {
    BookmarkMenuOptions menu = ForMainMenu(options);
    menu.addHere = (linkBarStyle & kLbMenuAddHere) != 0;
    menu.openFolder = (linkBarStyle & kLbMenuOpenFolder) != 0;
    return menu;
}

std::string BookmarkMenuText(std::string_view name, const BookmarkMenuOptions& options) {
    if (options.limitText) {
        // The options page keeps the limit in 6..128; a value from a hand-edited
        // file below 1 would leave no text at all.
        std::size_t limit = options.textLimit < 1 ? 1 : static_cast<std::size_t>(options.textLimit);
        return ShortenText(name, limit);
    }
    if (name.size() > kMenuTextMaxBytes) return ShortenText(name, kMenuTextMaxBytes);
    return std::string(name);
}

BookmarkMenu::BookmarkMenu(Top top, BookmarkMenuOptions options) : top_(top), options_(options), popups_(1) {}

void BookmarkMenu::Rebuild(BookmarkNode* folder, const BookmarkNode* scope) {
    popups_.assign(1, Popup{});
    popups_[0].folder = folder;
    entries_.clear();
    highlighted_ = -1;
    scope_ = scope ? scope : folder;
    if (folder) Fill(kTopPopup, top_ == Top::FolderMenu);
}

bool BookmarkMenu::BuildMenu(int popup) {
    if (popup < 0 || static_cast<std::size_t>(popup) >= popups_.size()) return false;
    if (popup == kTopPopup) {
        BookmarkNode* folder = InScope(popups_[0].folder) ? popups_[0].folder : nullptr;
        Rebuild(folder, folder ? scope_ : nullptr);
        return folder != nullptr;
    }
    Popup& p = popups_[popup];
    if (p.filled) return true;
    if (!InScope(p.folder)) return false;
    Fill(popup, true);
    return true;
}

const std::vector<BookmarkMenuItem>& BookmarkMenu::Items(int popup) const {
    static const std::vector<BookmarkMenuItem> kNone;
    if (popup < 0 || static_cast<std::size_t>(popup) >= popups_.size()) return kNone;
    return popups_[popup].items;
}

bool BookmarkMenu::IsFilled(int popup) const {
    return popup >= 0 && static_cast<std::size_t>(popup) < popups_.size() && popups_[popup].filled;
}

const BookmarkMenuEntry* BookmarkMenu::Entry(int index) const {
    if (index < 0 || static_cast<std::size_t>(index) >= entries_.size()) return nullptr;
    return &entries_[index];
}

int BookmarkMenu::AddEntry(BookmarkMenuKind kind, BookmarkNode* node) {
    BookmarkMenuEntry entry;
    entry.kind = kind;
    entry.node = node;
    entries_.push_back(entry);
    return static_cast<int>(entries_.size() - 1);
}

void BookmarkMenu::Fill(int popup, bool optionalItems) {
    // `popups_` grows below; work on the index, not on a reference.
    BookmarkNode* folder = popups_[popup].folder;
    std::vector<BookmarkMenuItem> items;
    if (popup == kTopPopup && top_ == Top::MainMenu) {
        items.push_back(CommandItem("追加(&A)", kBookmarkAddCommand, -1));
        items.push_back(CommandItem("すべて追加(&C)", kBookmarkAddAllCommand, -1));
        items.push_back(SeparatorItem());
    }
    if (optionalItems && (options_.addHere || options_.openFolder)) {
        if (options_.addHere)
            items.push_back(CommandItem("ここに追加(&A)", kBookmarkMenuCommand,
                                        AddEntry(BookmarkMenuKind::AddHere, folder)));
        if (options_.openFolder)
            items.push_back(CommandItem("フォルダのURLを開く(&O)", kBookmarkMenuCommand,
                                        AddEntry(BookmarkMenuKind::OpenFolder, folder)));
        items.push_back(SeparatorItem());
    }
    for (BookmarkNode* child = folder->FirstChild(); child; child = child->Next()) {
        switch (child->type) {
            case kItemFolder: {
                BookmarkMenuItem item;
                item.type = BookmarkMenuItem::Type::Submenu;
                item.text = BookmarkMenuText(child->name, options_);
                item.entry = AddEntry(BookmarkMenuKind::Node, child);
                item.submenu = static_cast<int>(popups_.size());
                popups_.push_back(Popup{child, false, {}});
                items.push_back(std::move(item));
                break;
            }
            case kItemUrl:
                items.push_back(CommandItem(BookmarkMenuText(child->name, options_), kBookmarkMenuCommand,
                                            AddEntry(BookmarkMenuKind::Node, child)));
                break;
            default: items.push_back(SeparatorItem()); break;
        }
    }
    popups_[popup].items = std::move(items);
    popups_[popup].filled = true;
}

bool BookmarkMenu::InScope(const BookmarkNode* node) const {
    // Nodes may have been deleted since the menu was built; only a node that
    // is still in the tree is touched.
    if (!node || !scope_) return false;
    for (const BookmarkNode* n = scope_; n; n = NextInTree(n, scope_))
        if (n == node) return true;
    return false;
}

const BookmarkMenuEntry* BookmarkMenu::LiveEntry(int index) const {
    const BookmarkMenuEntry* entry = Entry(index);
    if (!entry || entry->marker != 0xFFFF || !InScope(entry->node)) return nullptr;
    return entry;
}

BookmarkNode* BookmarkMenu::LiveNode(int index) const {
    const BookmarkMenuEntry* entry = LiveEntry(index);
    return entry ? entry->node : nullptr;
}

std::string BookmarkMenu::MenuPrompt(int commandId) const {
    if (commandId != kBookmarkMenuCommand) return std::string();
    const BookmarkMenuEntry* entry = LiveEntry(highlighted_);
    if (!entry) return std::string();
    switch (entry->kind) {
        case BookmarkMenuKind::Node: return entry->node->url;
        case BookmarkMenuKind::AddHere: return "フォルダに追加します。";
        case BookmarkMenuKind::OpenFolder: return "フォルダのURLを開きます。";
    }
    return std::string();
}

BookmarkMenuAction BookmarkMenu::ExecuteMenuEntry(int commandId, int bookmarkStyle) const {
    if (commandId != kBookmarkMenuCommand) return BookmarkMenuAction{};
    return ExecuteEntry(highlighted_, bookmarkStyle);
}

BookmarkMenuAction BookmarkMenu::ExecuteEntry(int index, int bookmarkStyle) const {
    BookmarkMenuAction action;
    const BookmarkMenuEntry* entry = LiveEntry(index);
    if (!entry) return action;
    action.node = entry->node;
    switch (entry->kind) {
        case BookmarkMenuKind::Node:
            if (entry->node->type != kItemUrl) return BookmarkMenuAction{};
            action.type = BookmarkMenuAction::Type::Open;
            action.url = entry->node->url;
            action.openFlags =
                ((bookmarkStyle & kBkOpenInNewTab) ? 0x1 : 0) | ((bookmarkStyle & kBkFocusPage) ? 0x2 : 0);
            action.style = entry->node->style;
            action.exstyle = entry->node->exstyle;
            break;
        case BookmarkMenuKind::AddHere:
            if (!entry->node->IsFolder()) return BookmarkMenuAction{};
            action.type = BookmarkMenuAction::Type::AddHere;
            break;
        case BookmarkMenuKind::OpenFolder:
            if (!entry->node->IsFolder()) return BookmarkMenuAction{};
            action.type = BookmarkMenuAction::Type::OpenFolder;
            break;
    }
    return action;
}

}  // namespace fern
