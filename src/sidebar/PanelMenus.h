#pragma once
// The menus of the side bar's history, history search and web search panels
// as lists of items: which appear (row items only over a row, only the row
// items while a search runs, the HTML export only with rows), their texts,
// check marks and default item; and the settings the check items flip (the
// settings' bit words are made from them when saved). The panels show the
// menus and act on the other items.
#include <string>
#include <vector>

#include "settings/SideBarSettings.h"

namespace fern {

struct PanelMenuItem {
    int id = 0;  // 0 with no text: a separator; -1: a submenu
    std::string text;
    bool check = false;  // a check or radio item
    bool checked = false;
    bool isDefault = false;  // the double click's action
    std::vector<PanelMenuItem> children;
};

// Items of the history search panel's menu; the character codes are
// kHsCharCode + 1 + code (kHsCharCode itself is "オート", code -1).
enum HistorySearchMenuId : int {
    kHsOpen = 1,
    kHsOpenInNewTab,
    kHsCopyTitle,
    kHsCopyUrl,
    kHsTodayOnly,
    kHsUseFilter,
    kHsEditFilter,
    kHsAddBookmark,
    kHsDatePicture,
    kHsSearchCache,
    kHsSaveHtml,
    kHsInfoTips,
    kHsCaseSensitive,
    kHsKeepStrings,
    kHsToggleOpen,
    kHsReload,
    kHsCharCode = 100,
};

std::vector<PanelMenuItem> HistorySearchMenu(const HistorySearchSettings& settings, bool onRow,
                                             bool searching, bool hasRows);
// The setting an item flips or sets; false for the items that act.
bool ApplyHistorySearchItem(int id, HistorySearchSettings& settings);

// The history panel's tree menu.
enum HistoryTreeMenuId : int {
    kHtOpen = 1,
    kHtOpenInNewTab,
    kHtCopyTitle,
    kHtCopyUrl,
    kHtAddBookmark,
    kHtToggleOpen,
    kHtReload,
    kHtAddDesktop,
    kHtAddFavorites,
    kHtInfoTips,
};

// `onPage`: the item under the pointer has an address.
std::vector<PanelMenuItem> HistoryTreeMenu(const HistorySettings& settings, bool onPage);
// True when the item changed a setting; `rebuild` is set when the tree's
// roots change with it.
bool ApplyHistoryTreeItem(int id, HistorySettings& settings, bool& rebuild);

// The web search panel's list menu.
enum WebSearchMenuId : int {
    kWsEdit = 1,
    kWsDelete,
    kWsMoveUp,
    kWsMoveDown,
    kWsAdd,
    kWsCheckAll,
    kWsUncheckOthers,
    kWsInvert,
    kWsKeepStrings,
    kWsSaveNow,
};

std::vector<PanelMenuItem> WebSearchMenu(const WebSearchSettings& settings, bool onRow);
bool ApplyWebSearchItem(int id, WebSearchSettings& settings);

}  // namespace fern
