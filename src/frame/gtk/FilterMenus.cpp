#include "frame/gtk/FilterMenus.h"

#include "frame/CommandIds.h"

namespace fern {

std::vector<MenuEntry> FilterMenuEntries() {
    return {MenuEntry{ID_FILTER_REGISTER_URL, "制止URLに登録(&C)", {}, false, {}},
            MenuEntry{ID_FILTER_REGISTER_TITLE, "制止タイトルに登録(&T)", {}, false, {}},
            MenuEntry{},
            MenuEntry{ID_FILTER_SCRIPT_ERRORS, "スクリプトエラー(&S)", {}, true, {}},
            MenuEntry{ID_FILTER_DIALOG_SWEEP, "警告ダイアログは閉じる(&K)", {}, true, {}}};
}

}  // namespace fern
