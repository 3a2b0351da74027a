#pragma once
// The bookmark menu as a model: the "ブックマーク(&B)" popup of the main menu
// and the folder menus of the link bar. A GTK menu mirrors the items; folder
// submenus are filled when they are about to open.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "lists/BookmarkNode.h"

namespace fern {

struct BookmarkOptions;

// Every bookmark item carries this one command id and finds its node through
// its entry record.
inline constexpr int kBookmarkMenuCommand = 34000;
// The two fixed commands at the top of the main menu's popup.
inline constexpr int kBookmarkAddCommand = 33000;     // "追加(&A)"
inline constexpr int kBookmarkAddAllCommand = 33001;  // "すべて追加(&C)"

// Names of 129 bytes or more are cut to this many in a menu.
inline constexpr std::size_t kMenuTextMaxBytes = 128;

enum class BookmarkMenuKind : int {
    Node = 0,        // a bookmark or a folder
    AddHere = 1,     // "ここに追加(&A)"
    OpenFolder = 2,  // "フォルダのURLを開く(&O)"
};

struct BookmarkMenuEntry {
    BookmarkMenuKind kind = BookmarkMenuKind::Node;
    std::uint16_t marker = 0xFFFF;
    BookmarkNode* node = nullptr;
};

struct BookmarkMenuItem {
    enum class Type { Command, Submenu, Separator };
    Type type = Type::Separator;
    std::string text;   // Shift-JIS, with "(&X)" mnemonics
    int commandId = 0;  // Command items
    int entry = -1;     // the record of a bookmark item or submenu; -1 for fixed items
    int submenu = -1;   // the popup of a Submenu item
};

struct BookmarkMenuOptions {
    bool addHere = false;     // BKStyle bit 5, or LBStyle bit 20 on the link bar
    bool openFolder = false;  // BKStyle bit 6, or LBStyle bit 21 on the link bar
    bool limitText = false;   // BKStyle bit 4
    int textLimit = 20;       // BKMenuTextLimit

    static BookmarkMenuOptions ForMainMenu(const BookmarkOptions& options);
    static BookmarkMenuOptions ForLinkBar(const BookmarkOptions& options, int linkBarStyle);
};

// The text of a node's item: cut with ShortenText to the limit when it is
// on, otherwise names of 129 bytes or more cut to 128.
std::string BookmarkMenuText(std::string_view name, const BookmarkMenuOptions& options);

// What executing a bookmark item asks of the program.
struct BookmarkMenuAction {
    enum class Type {
        None,        // no record, or its node is gone
        Open,        // OpenUrl(url, openFlags, style, exstyle)
        AddHere,     // AddCurrentPage into `node`
        OpenFolder,  // open every bookmark of the folder `node`
    };
    Type type = Type::None;
    BookmarkNode* node = nullptr;
    std::string url;
    int openFlags = 0;  // 0x1 new tab (BKStyle bit 0), 0x2 focus (bit 1)
    std::uint32_t style = 0;
    std::uint32_t exstyle = 0;
};

class BookmarkMenu {
public:
    // The main menu's popup starts with "追加(&A)", "すべて追加(&C)" and a
    // separator, then the folder's children; a link bar folder menu is built
    // like any folder submenu.
    enum class Top { MainMenu, FolderMenu };
    static constexpr int kTopPopup = 0;

    BookmarkMenu(Top top, BookmarkMenuOptions options);

    void SetOptions(const BookmarkMenuOptions& options) { options_ = options; }
    const BookmarkMenuOptions& Options() const { return options_; }

    // Shows `folder` from now on. `scope` is the top folder that every node
    // of the menu must still be in for the menu to use it (the bookmark root;
    // `folder` itself when null). Drops all submenus and entry records.
    void Rebuild(BookmarkNode* folder, const BookmarkNode* scope = nullptr);

    // The popup is about to open: the top popup is refilled from its folder,
    // a submenu is filled from its folder the first time. False when the
    // popup or its folder is gone (it then stays empty).
    bool BuildMenu(int popup);

    std::size_t PopupCount() const { return popups_.size(); }
    const std::vector<BookmarkMenuItem>& Items(int popup) const;
    bool IsFilled(int popup) const;
    const BookmarkMenuEntry* Entry(int index) const;
    // The node of a record while it is still in the tree; null otherwise.
    BookmarkNode* LiveNode(int index) const;
    std::size_t EntryCount() const { return entries_.size(); }

    // The item under the pointer while the menu is open (-1 for none).
    void SetHighlighted(int entry) { highlighted_ = entry; }
    int Highlighted() const { return highlighted_; }

    // Status-bar prompt of command 34000 for the highlighted record: the
    // node's url, "フォルダに追加します。" or "フォルダのURLを開きます。";
    // empty for other commands.
    std::string MenuPrompt(int commandId) const;

    // Command 34000 on the highlighted record; `bookmarkStyle` is BKStyle.
    BookmarkMenuAction ExecuteMenuEntry(int commandId, int bookmarkStyle) const;
    // The same for a given record, as a menu item that knows its own uses it.
    BookmarkMenuAction ExecuteEntry(int entry, int bookmarkStyle) const;

private:
    struct Popup {
        BookmarkNode* folder = nullptr;
        bool filled = false;
        std::vector<BookmarkMenuItem> items;
    };

    void Fill(int popup, bool optionalItems);
    int AddEntry(BookmarkMenuKind kind, BookmarkNode* node);
    bool InScope(const BookmarkNode* node) const;
    const BookmarkMenuEntry* LiveEntry(int index) const;

    Top top_;
    BookmarkMenuOptions options_;
    const BookmarkNode* scope_ = nullptr;
    std::vector<Popup> popups_;
    std::vector<BookmarkMenuEntry> entries_;
    int highlighted_ = -1;
};

}  // namespace fern
