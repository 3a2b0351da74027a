#include "sidebar/PanelMenus.h"

#include "lists/EncodingDetect.h"

namespace fern {

namespace {

PanelMenuItem Item(int id, const char* text) { return PanelMenuItem{id, text, false, false, false, {}}; }
PanelMenuItem Check(int id, const char* text, bool on) {
    return PanelMenuItem{id, text, true, on, false, {}};
}
PanelMenuItem Separator() { return PanelMenuItem{}; }

// A text shown in a menu: "&" is a literal there only when doubled.
std::string MenuLiteral(const std::string& text) {
    std::string out;
    for (char c : text) out += (c == '&') ? std::string("&&") : std::string(1, c);
    return out;
}

}  // namespace

std::vector<PanelMenuItem> HistorySearchMenu(const HistorySearchSettings& s, bool onRow, bool searching,
                                             bool hasRows) {
    std::vector<PanelMenuItem> menu;
    if (onRow) {
        menu = {Item(kHsOpen, "開く(&O)\tEnter"), Item(kHsOpenInNewTab, "新規タブで開く(&N)\tShift+Enter"),
                Item(kHsCopyTitle, "タイトルのコピー(&T)\tCtrl+A"),
                Item(kHsCopyUrl, "URLのコピー(&U)\tCtrl+Z"), Item(kHsAddBookmark, "ブックマークに追加(&A)")};
        menu[s.openInNewTab ? 1 : 0].isDefault = true;
    }
    if (searching) return menu;
    if (!menu.empty()) menu.push_back(Separator());
    menu.push_back(Check(kHsTodayOnly, "今日の履歴のみ(&T)", s.filterStyle == 1));
    PanelMenuItem filter = Check(kHsUseFilter, "", s.useUrlFilter);
    filter.text = MenuLiteral(s.filter) + "フィルタを使う(&F)";
    menu.push_back(filter);
    menu.push_back(Item(kHsEditFilter, "フィルタを変更(&E)"));
    menu.push_back(Item(kHsDatePicture, "日付の表示形式(&D)"));
    menu.push_back(Separator());
    menu.push_back(Check(kHsSearchCache, "キャッシュ内検索(&C)", s.searchCache));
    if (hasRows) menu.push_back(Item(kHsSaveHtml, "リストをhtmlで保存(&S)"));
    menu.push_back(Check(kHsInfoTips, "インフォチップ(&I)", s.infoTips));
    menu.push_back(Check(kHsCaseSensitive, "大文字小文字の区別(&D)", s.caseSensitive));
    PanelMenuItem codes{-1, "文字コード指定(&C)", false, false, false, {}};
    const char* names[] = {"オート(&A)",  "SJIS(&S)",  "JIS(&J)",   "EUC(&E)",
                           "UNICODE(&U)", "UTF-8(&8)", "UTF-7(&7)", "UNICODEBE(&B)"};
    for (int code = -1; code <= kEncodingUnicodeBe; ++code)
        codes.children.push_back(Check(kHsCharCode + 1 + code, names[code + 1], s.charCode == code));
    menu.push_back(codes);
    menu.push_back(Check(kHsKeepStrings, "検索文字列の保存(&Y)", s.keepSearchStrings));
    menu.push_back(Separator());
    menu.push_back(Check(kHsToggleOpen, "開くの切り替え(&S)", s.openInNewTab));
    menu.push_back(Item(kHsReload, "再読み込み(&R)"));
    return menu;
}

bool ApplyHistorySearchItem(int id, HistorySearchSettings& s) {
    switch (id) {
        case kHsTodayOnly: s.filterStyle = s.filterStyle == 1 ? 2 : 1; return true;
        case kHsUseFilter: s.useUrlFilter = !s.useUrlFilter; return true;
        case kHsSearchCache: s.searchCache = !s.searchCache; return true;
        case kHsInfoTips: s.infoTips = !s.infoTips; return true;
        case kHsCaseSensitive: s.caseSensitive = !s.caseSensitive; return true;
        case kHsKeepStrings: s.keepSearchStrings = !s.keepSearchStrings; return true;
        case kHsToggleOpen: s.openInNewTab = !s.openInNewTab; return true;
        default:
            if (id < kHsCharCode || id > kHsCharCode + 1 + kEncodingUnicodeBe) return false;
            s.charCode = id - kHsCharCode - 1;
            return true;
    }
}

std::vector<PanelMenuItem> HistoryTreeMenu(const HistorySettings& s, bool onPage) {
    std::vector<PanelMenuItem> menu;
    if (onPage) {
        menu = {Item(kHtOpen, "開く(&O)\tEnter"),
                Item(kHtOpenInNewTab, "新規タブで開く(&N)\tShift+Enter"),
                Item(kHtCopyTitle, "タイトルのコピー(&T)\tCtrl+T"),
                Item(kHtCopyUrl, "URLのコピー(&U)\tCtrl+R"),
                Item(kHtAddBookmark, "ブックマークに追加(&A)"),
                Separator()};
        menu[s.openInNewTab ? 1 : 0].isDefault = true;
    }
    menu.push_back(Check(kHtToggleOpen, "開くの切り替え(&S)", s.openInNewTab));
    menu.push_back(Item(kHtReload, "再読み込み(&R)"));
    PanelMenuItem more{-1, "その他(&O)", false, false, false, {}};
    more.children = {Check(kHtAddDesktop, "デスクトップの追加(&D)", s.addDesktop),
                     Check(kHtAddFavorites, "お気に入りの追加(&F)", s.addFavorites),
                     Check(kHtInfoTips, "インフォチップ(&I)", s.infoTips)};
    menu.push_back(more);
    return menu;
}

bool ApplyHistoryTreeItem(int id, HistorySettings& s, bool& rebuild) {
    rebuild = false;
    switch (id) {
        case kHtToggleOpen: s.openInNewTab = !s.openInNewTab; return true;
        case kHtAddDesktop: s.addDesktop = !s.addDesktop; break;
        case kHtAddFavorites: s.addFavorites = !s.addFavorites; break;
        case kHtInfoTips: s.infoTips = !s.infoTips; return true;
        default: return false;
    }
    rebuild = true;
    return true;
}

std::vector<PanelMenuItem> WebSearchMenu(const WebSearchSettings& s, bool onRow) {
    std::vector<PanelMenuItem> menu;
    if (onRow)
        menu = {Item(kWsEdit, "編集(&E)\tCtrl+D"), Item(kWsDelete, "削除(&D)\tDelete"),
                Item(kWsMoveUp, "上に移動(&T)\tCtrl+↑"), Item(kWsMoveDown, "下に移動(&B)\tCtrl+↓"),
                Separator()};
    menu.push_back(Item(kWsAdd, "追加(&A)\tInsert"));
    menu.push_back(Item(kWsCheckAll, "すべてチェックする(&A)\tCtrl+A"));
    menu.push_back(Item(kWsUncheckOthers, "これ以外のチェックをはずす(&O)\tCtrl+Z"));
    menu.push_back(Item(kWsInvert, "チェックの反転(&X)\tCtrl+X"));
    menu.push_back(Separator());
    menu.push_back(Check(kWsKeepStrings, "検索文字列の保存(&Y)", s.keepSearchStrings));
    menu.push_back(Item(kWsSaveNow, "現在の状態を保存(&S)"));
    return menu;
}

bool ApplyWebSearchItem(int id, WebSearchSettings& s) {
    if (id != kWsKeepStrings) return false;
    s.keepSearchStrings = !s.keepSearchStrings;
    return true;
}

}  // namespace fern
