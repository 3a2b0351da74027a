#include "history/gtk/HistoryMenus.h"

#include "history/HistoryCommands.h"

namespace fern {

std::vector<MenuEntry> HistoryMenuEntries() {
    MenuEntry clear{-1, "履歴を消去(&H)", {}, false, {}};
    clear.children = {MenuEntry{ID_HISTORY_CLEAR_ALL, "すべての履歴(&A)...", {}, false, {}},
                      MenuEntry{ID_HISTORY_CLEAR_TODAY, "今日の履歴(&T)...", {}, false, {}},
                      MenuEntry{ID_HISTORY_CLEAR_SITE, "表示中のサイトの履歴(&S)...", {}, false, {}}};
    return {clear};
}

}  // namespace fern
