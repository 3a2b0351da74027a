#pragma once
// Command ids of the frame's tab commands; menus, tool bars and user keys
// share them.

namespace fern {

enum FrameCommand : int {
    ID_TAB_NEXT = 33100,
    ID_TAB_PREV = 33101,
    ID_TAB_RESTORE_CLOSED = 33102,
    ID_TAB_CLOSE_READ = 33103,
    ID_TAB_CLOSE_ALL = 33104,
    ID_TAB_MANAGER = 33105,
    ID_TAB_CLOSE = 33106,
    ID_TAB_BACK = 33107,
    ID_TAB_FORWARD = 33108,
    ID_TAB_COPY_TITLE = 33111,
    ID_TAB_COPY_URL = 33112,
    ID_TAB_REFRESH_ALL = 33115,
    ID_TAB_REFRESH = 33116,
    ID_TAB_MOVE_RIGHT = 33118,
    ID_TAB_MOVE_LEFT = 33119,
    ID_TAB_STOP = 33120,
    ID_TAB_HOME = 33121,
    ID_TAB_CLOSE_OTHERS = 33122,
    ID_TAB_NAVIGATE_LOCK = 33125,
    ID_TAB_STOP_ALL = 33126,
    // Pop-up and dialog filters.
    ID_FILTER_REGISTER_URL = 33109,    // "制止URLに登録(&C)"
    ID_FILTER_REGISTER_TITLE = 33110,  // "制止タイトルに登録(&T)"
    ID_FILTER_SCRIPT_ERRORS = 33140,   // "スクリプトエラー(&S)"
    ID_FILTER_DIALOG_SWEEP = 33141,    // "警告ダイアログは閉じる(&K)"
};

}  // namespace fern
