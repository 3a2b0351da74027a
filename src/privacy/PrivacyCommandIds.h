#pragma once
// Menu ids of the cookie commands and the Internet options.
namespace fern {

enum PrivacyCommandId : int {
    ID_COOKIE_FIRST_PARTY = 33050,  // "クッキー(&C)"
    ID_COOKIE_SESSION = 33051,      // "セッションごとのクッキー(&S)"
    ID_COOKIE_THIRD_PARTY = 33052,  // "サードパーティのクッキー(&T)"
    ID_COOKIE_INVERT = 33053,       // "設定を反転(&R)"
    ID_COOKIE_DELETE = 33054,       // "クッキーを削除(&D)"
    ID_INTERNET_OPTIONS = 33070,    // "インターネット オプション(&O)..."
};

}  // namespace fern
