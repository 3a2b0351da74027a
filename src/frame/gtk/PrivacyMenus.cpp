#include "frame/gtk/PrivacyMenus.h"

#include "privacy/PrivacyCommandIds.h"

namespace fern {

std::vector<MenuEntry> PrivacyMenuEntries() {
    MenuEntry cookies{-1, "クッキー(&C)", {}, false, {}};
    cookies.children = {MenuEntry{ID_COOKIE_FIRST_PARTY, "クッキー(&C)", {}, true, {}},
                        MenuEntry{ID_COOKIE_SESSION, "セッションごとのクッキー(&S)", {}, true, {}},
                        MenuEntry{ID_COOKIE_THIRD_PARTY, "サードパーティのクッキー(&T)", {}, true, {}},
                        MenuEntry{},
                        MenuEntry{ID_COOKIE_INVERT, "設定を反転(&R)", {}, false, {}},
                        MenuEntry{},
                        MenuEntry{ID_COOKIE_DELETE, "クッキーを削除(&D)", {}, false, {}}};
    return {cookies, MenuEntry{ID_INTERNET_OPTIONS, "インターネット オプション(&O)...", {}, false, {}}};
}

}  // namespace fern
