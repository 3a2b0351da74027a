#include "commands/MenuLayout.h"

#include "commands/CommandIds.h"

namespace fern {

MenuNode CommandItem(int id, std::string text) {
    return MenuNode{MenuNode::Kind::Command, id, std::move(text), {}, {}};
}
MenuNode MenuSeparator() { return MenuNode{}; }
MenuNode Submenu(std::string text, std::vector<MenuNode> children) {
    return MenuNode{MenuNode::Kind::Submenu, 0, std::move(text), std::move(children), {}};
}
MenuNode DynamicMenu(std::string text, std::string fill) {
    return MenuNode{MenuNode::Kind::Dynamic, 0, std::move(text), {}, std::move(fill)};
}
MenuNode DynamicItems(std::string fill) {
    return MenuNode{MenuNode::Kind::Dynamic, 0, {}, {}, std::move(fill)};
}

namespace {

using C = MenuNode;
C I(int id) { return CommandItem(id); }
C S() { return MenuSeparator(); }

// The menus as they show: one line a group of items between separators.
// clang-format off
std::vector<MenuNode> FileMenu() {
    return {Submenu("新規作成(&N)", {I(ID_NEW_TAB), S(), I(ID_NEW_TAB_BLANK), I(ID_NEW_TAB_CLIPBOARD),
                                     I(ID_NEW_TAB_COPY), I(ID_NEW_TAB_HOME)}),
            I(ID_FILE_OPEN_URL), I(ID_FILE_SAVE_AS), S(),
            I(ID_STATE_SAVE), I(ID_STATE_RESTORE), I(ID_STATE_SAVE_LIST), I(ID_STATE_OPEN_LIST),
            Submenu(kRecentClosedMenuText,
                    {DynamicItems(kRecentClosedMenu), S(), I(ID_RECENT_SAVE), I(ID_RECENT_OPEN_ALL)}),
            I(ID_RECENT_LAST), I(ID_SESSION_REOPEN),
            Submenu("自動保存(&A)", {I(ID_AUTOSAVE_START), I(ID_AUTOSAVE_BOOKMARKS)}), S(),
            I(ID_BOOKMARK_IMPORT_BROWSER), S(),
            I(ID_PAGE_SETUP), I(ID_PAGE_PRINT_PREVIEW), I(ID_FILE_PRINT), S(),
            I(ID_PAGE_SHORTCUT), I(ID_PAGE_PROPERTIES), I(ID_OFFLINE), S(),
            I(ID_TAB_CLOSE), I(ID_APP_EXIT)};
}

std::vector<MenuNode> EditMenu() {
    return {I(ID_TAB_COPY_TITLE), I(ID_TAB_COPY_URL), S(), I(ID_PAGE_OPEN_SELECTION), I(ID_PAGE_FIND)};
}

std::vector<MenuNode> ViewMenu() {
    return {I(ID_TAB_BACK), I(ID_TAB_FORWARD), I(ID_TAB_HOME), I(ID_PAGE_UP),
            DynamicMenu("戻る一覧(&I)", kBackListMenu), DynamicMenu("進む一覧(&O)", kForwardListMenu), S(),
            I(ID_TAB_STOP), I(ID_TAB_REFRESH), S(),
            Submenu("文字のサイズ(&X)", {I(ID_TEXT_LARGEST), I(ID_TEXT_LARGEST + 1), I(ID_TEXT_LARGEST + 2),
                                         I(ID_TEXT_LARGEST + 3), I(ID_TEXT_SMALLEST)}),
            I(ID_PAGE_SOURCE), I(ID_PAGE_COMMENTS), I(ID_PAGE_FOCUS), S(),
            Submenu("ツール バー(&T)", BarsMenu()),
            // The side bar and the web searches.
            S(), I(ID_FERN_BAR), I(ID_BOOKMARK_BAR), I(ID_HISTORY_BAR), I(ID_HISTORY_SEARCH_BAR),
            I(ID_WEB_SEARCH_BAR), I(ID_SIDEBAR_NEXT_PANEL), I(ID_SIDEBAR_PREV_PANEL), I(ID_SIDEBAR_FOCUS_PANEL),
            S(), I(ID_WEB_SEARCH), I(ID_WEB_SEARCH_DIALOG),
            S(), I(ID_FULL_SCREEN), DynamicItems(kTaskTrayMenu)};
}

std::vector<MenuNode> TabsMenu() {
    return {I(ID_TAB_NEXT), I(ID_TAB_PREV), S(), I(ID_TAB_MOVE_LEFT), I(ID_TAB_MOVE_RIGHT), S(),
            I(ID_TAB_REFRESH_ALL), I(ID_TAB_STOP_ALL), S(),
            I(ID_TAB_CLOSE_OTHERS), I(ID_TAB_CLOSE_ALL), I(ID_TAB_CLOSE_READ), I(ID_TAB_RESTORE_CLOSED), S(),
            I(ID_TAB_NAVIGATE_LOCK), S(), I(ID_TAB_MANAGER)};
}

std::vector<MenuNode> ToolsMenu() {
    return {I(ID_DOWNLOADS_WINDOW), S(),
            Submenu("マルチメディア(&M)", {I(ID_DLC_IMAGES), I(ID_DLC_SOUNDS), I(ID_DLC_VIDEOS), S(),
                                            I(ID_DLC_MEDIA_INVERT)}),
            Submenu("セキュリティ(&S)", {I(ID_DLC_JAVA), I(ID_DLC_SCRIPTS), I(ID_DLC_ACTIVEX_RUN),
                                          I(ID_DLC_ACTIVEX_DOWNLOAD), S(), I(ID_DLC_SECURITY_INVERT)}),
            Submenu("セキュリティレベル(&L)", {I(ID_DLC_TEMPLATE_DEFAULT), I(ID_DLC_TEMPLATE_FAVORITES),
                                                I(ID_DLC_TEMPLATE_LOW), I(ID_DLC_TEMPLATE_MEDIUM),
                                                I(ID_DLC_TEMPLATE_HIGH)}),
            S(),
            Submenu("クッキー(&C)", {I(ID_COOKIE_FIRST_PARTY), I(ID_COOKIE_SESSION), I(ID_COOKIE_THIRD_PARTY), S(),
                                      I(ID_COOKIE_INVERT), S(), I(ID_COOKIE_DELETE)}),
            I(ID_INTERNET_OPTIONS),
            Submenu("履歴を消去(&H)", {I(ID_HISTORY_CLEAR_ALL), I(ID_HISTORY_CLEAR_TODAY), I(ID_HISTORY_CLEAR_SITE)}), S(),
            I(ID_FILTER_REGISTER_URL), I(ID_FILTER_REGISTER_TITLE), S(),
            I(ID_FILTER_SCRIPT_ERRORS), I(ID_FILTER_DIALOG_SWEEP), S(),
            I(ID_URL_EXTRACT), I(ID_MAILER),
            I(ID_LIST_EDITOR),
            Submenu("プロキシ サーバー(&X)", {I(ID_PROXY_SETTINGS), S(), I(ID_PROXY_DIRECT), S(), I(ID_PROXY_SYSTEM), S(),
                                               DynamicItems(kProxyEntriesMenu)}),
            S(),
            I(ID_KEY_SETTINGS), I(ID_OPTIONS)};
}

// clang-format on

void CollectIds(const std::vector<MenuNode>& menu, std::vector<int>& ids) {
    for (const MenuNode& node : menu) {
        if (node.kind == MenuNode::Kind::Command) ids.push_back(node.id);
        CollectIds(node.children, ids);
    }
}

}  // namespace

std::vector<MenuNode> MainMenuBar() {
    return {Submenu("ファイル(&F)", FileMenu()),     Submenu("編集(&E)", EditMenu()),
            Submenu("表示(&V)", ViewMenu()),         DynamicMenu(kBookmarkMenuText, kBookmarkMenu),
            Submenu("タブ(&T)", TabsMenu()),         Submenu("ツール(&T)", ToolsMenu()),
            Submenu("ヘルプ(&H)", {I(ID_APP_ABOUT)})};
}

namespace {

// Where the tool bar stands: a band, or docked to a side of the window.
MenuNode ToolBarPositionMenu() {
    return Submenu("ツール バーの位置(&P)",
                   {I(ID_TOOL_BAR_BAND), S(), I(ID_TOOL_BAR_DOCK_TOP), I(ID_TOOL_BAR_DOCK_LEFT),
                    I(ID_TOOL_BAR_DOCK_RIGHT), I(ID_TOOL_BAR_DOCK_BOTTOM)});
}

}  // namespace

// The bars' switches: the View menu's "ツール バー" and the bands' own menu,
// which the tool bar's right-click opens too.
std::vector<MenuNode> BarsMenu() {
    return {I(ID_VIEW_MENU_BAR), I(ID_VIEW_TOOL_BAR),      I(ID_VIEW_ADDRESS_BAR),
            I(ID_LINK_BAR),      I(ID_VIEW_TAB_BAR),       S(),
            I(ID_BARS_FIXED),    I(ID_TOOL_BAR_CUSTOMIZE), ToolBarPositionMenu()};
}

// clang-format off
std::vector<MenuNode> TabMenu() {
    return {I(ID_TAB_CLOSE), CommandItem(ID_TAB_REFRESH, "更新(&R)"), I(ID_TAB_STOP), S(),
            I(ID_TAB_BACK), I(ID_TAB_FORWARD), I(ID_TAB_HOME), S(),
            I(ID_TAB_MOVE_LEFT), I(ID_TAB_MOVE_RIGHT), I(ID_TAB_NAVIGATE_LOCK),
            Submenu("自動更新(&U)", {I(ID_TAB_AUTO_REFRESH_START), I(ID_TAB_AUTO_REFRESH_STOP)}), I(ID_TAB_SLEEP), S(),
            I(ID_TAB_COPY_TITLE), I(ID_TAB_COPY_URL), S(),
            I(ID_STARTUP_ADD), I(ID_FILTER_REGISTER_URL), I(ID_FILTER_REGISTER_TITLE), S(),
            I(ID_TAB_CLOSE_OTHERS), S(),
            I(ID_BOOKMARK_ADD_TAB)};
}

std::vector<MenuNode> BookmarkPanelMenu() {
    return {I(ID_BKP_OPEN), I(ID_BKP_OPEN_NEW_TAB), I(ID_BKP_OPEN_FOLDER), S(),
            Submenu("新規作成(&C)", {I(ID_BKP_NEW_FOLDER), I(ID_BKP_NEW_SEPARATOR), I(ID_BKP_NEW_BOOKMARK)}),
            I(ID_BKP_EDIT), S(),
            I(ID_BKP_CUT), I(ID_BKP_COPY), I(ID_BKP_PASTE), S(),
            I(ID_BKP_UNDO), I(ID_BKP_REDO), S(),
            I(ID_BKP_DELETE), S(),
            I(ID_BKP_COPY_TITLE), I(ID_BKP_COPY_URL), S(),
            I(ID_BKP_EXPAND_ALL), I(ID_BKP_COLLAPSE_ALL),
            Submenu("並び替え(&S)", {I(ID_BKP_SORT_TITLE), I(ID_BKP_SORT_ADDRESS), S(),
                                      I(ID_BKP_SORT_ASCENDING), I(ID_BKP_SORT_DESCENDING)}), S(),
            I(ID_BKP_SAVE), I(ID_BKP_SAVE_AS),
            Submenu("変換(&V)", {I(ID_BKP_IMPORT_NETSCAPE), I(ID_BKP_IMPORT_FAVORITES), I(ID_BKP_IMPORT_HOTLIST),
                                  I(ID_BKP_IMPORT_HTML_LIST), I(ID_BKP_IMPORT_BROWSER), S(), I(ID_BKP_EXPORT_NETSCAPE),
                                  I(ID_BKP_EXPORT_FAVORITES)}), S(),
            I(ID_BKP_EMPTY_TRASH), I(ID_BKP_CLEAR_HISTORY),
            Submenu("その他(&H)", {I(ID_BKP_USE_TRASH), I(ID_BKP_INFO_TIPS), I(ID_BKP_DOUBLE_CLICK),
                                    I(ID_BKP_TOGGLE_OPEN), I(ID_BKP_SAVE_HTML), S(), I(ID_BKP_SPLIT_SEARCH),
                                    I(ID_BKP_SPLIT_SIDE_BY_SIDE)})};
}

std::vector<MenuNode> TabBarMenu() {
    return {I(ID_TAB_NEXT), I(ID_TAB_PREV), S(), I(ID_TAB_REFRESH_ALL), I(ID_TAB_STOP_ALL), S(),
            I(ID_TAB_CLOSE_OTHERS), I(ID_TAB_CLOSE_ALL), I(ID_TAB_CLOSE_READ), S(), I(ID_TAB_MANAGER)};
}

std::vector<MenuNode> TrayMenu() { return {CommandItem(ID_TASK_TRAY, "元に戻す(&R)"), I(ID_APP_EXIT)}; }

// clang-format on

std::vector<int> MenuCommandIds(const std::vector<MenuNode>& menu) {
    std::vector<int> ids;
    CollectIds(menu, ids);
    return ids;
}

}  // namespace fern
