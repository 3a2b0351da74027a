#include "frame/gtk/MainMenus.h"

#include "content/ContentCommandIds.h"
#include "frame/CommandIds.h"
#include "frame/TabRules.h"
#include "frame/gtk/ContentMenus.h"
#include "frame/gtk/FilterMenus.h"
#include "frame/gtk/PrivacyMenus.h"
#include "frame/gtk/RecentClosedMenu.h"
#include "frame/gtk/SessionParts.h"
#include "history/gtk/HistoryMenus.h"
#include "page/FernView.h"
#include "platform/text/TextCut.h"

namespace fern {

namespace {

MenuEntry Item(int id, const char* text) { return MenuEntry{id, text, {}, false, {}}; }
MenuEntry Check(int id, const char* text) { return MenuEntry{id, text, {}, true, {}}; }
MenuEntry Separator() { return MenuEntry{}; }
MenuEntry Sub(const char* text, std::vector<MenuEntry> children) {
    return MenuEntry{-1, text, std::move(children), false, {}};
}

std::vector<MenuEntry> NewTabMenu() {
    return {Item(ID_NEW_TAB, "新規タブ(&N)\tCtrl+T"), Separator(),
            Item(ID_NEW_TAB_BLANK, "空白ページ(&A)"), Item(ID_NEW_TAB_CLIPBOARD, "クリップボード(&B)"),
            Item(ID_NEW_TAB_COPY, "選択タブをコピー(&C)"), Item(ID_NEW_TAB_HOME, "ホームページ(&H)")};
}

std::vector<MenuEntry> ToolsMenu() {
    std::vector<MenuEntry> entries = ContentMenuEntries();
    std::vector<MenuEntry> privacy = PrivacyMenuEntries();
    if (!entries.empty()) entries.push_back(MenuEntry{});
    entries.insert(entries.end(), privacy.begin(), privacy.end());
    std::vector<MenuEntry> history = HistoryMenuEntries();
    entries.insert(entries.end(), history.begin(), history.end());
    std::vector<MenuEntry> filters = FilterMenuEntries();
    if (!entries.empty() && !filters.empty()) entries.push_back(MenuEntry{});
    entries.insert(entries.end(), filters.begin(), filters.end());
    return entries;
}

std::vector<MenuEntry> TextSizeMenu() {
    return {Check(ID_TEXT_LARGEST, "最大(&G)"), Check(ID_TEXT_LARGEST + 1, "大(&L)"),
            Check(ID_TEXT_LARGEST + 2, "中(&M)"), Check(ID_TEXT_LARGEST + 3, "小(&S)"),
            Check(ID_TEXT_SMALLEST, "最小(&A)")};
}

}  // namespace

std::vector<MenuEntry> HistoryListMenu(CFernView* page, bool back) {
    std::vector<MenuEntry> entries;
    if (!page || !page->Engine()) return entries;
    int first = back ? ID_BACK_LIST_FIRST : ID_FORWARD_LIST_FIRST;
    int last = back ? ID_BACK_LIST_LAST : ID_FORWARD_LIST_LAST;
    int count = last - first + 1;
    // The first id steps two pages, so the list starts one entry further.
    std::vector<std::string> titles =
        back ? page->Engine()->BackList(count + 1) : page->Engine()->ForwardList(count + 1);
    for (int i = 1; i < static_cast<int>(titles.size()) && i <= count; ++i) {
        std::string text = ShortenText(titles[i].empty() ? std::string("タイトル不明") : titles[i], 40);
        // "&" in a title is not a mnemonic.
        std::string escaped;
        for (char c : text) escaped += (c == '&') ? std::string("&&") : std::string(1, c);
        entries.push_back(MenuEntry{first + i - 1, escaped, {}, false, {}});
    }
    return entries;
}

std::vector<MenuEntry> MainMenuBar(std::function<CFernView*()> activePage) {
    MenuEntry backList = Sub("戻る一覧(&I)", {});
    backList.fill = [activePage] { return HistoryListMenu(activePage(), true); };
    MenuEntry forwardList = Sub("進む一覧(&O)", {});
    forwardList.fill = [activePage] { return HistoryListMenu(activePage(), false); };
    return {
        Sub("ファイル(&F)",
            {Sub("新規作成(&N)", NewTabMenu()), Item(ID_FILE_OPEN_URL, "開く(&O)...\tCtrl+O"), Separator(),
             Item(ID_STATE_SAVE, "現在の状態をログに保存(&S)"), Item(ID_STATE_RESTORE, "ログから読み込み(&R)"),
             Item(ID_STATE_SAVE_LIST, "現在の状態をリストに保存(&S)"), Item(ID_STATE_OPEN_LIST, "リストから読み込み(&R)"),
             RecentClosedMenuEntry(), Item(ID_RECENT_LAST, "最後に閉じたURLを開く(&L)"),
             Sub("自動保存(&A)", {Check(ID_AUTOSAVE_START, "自動保存開始(&S)")}), Separator(),
             Item(ID_PAGE_SETUP, "ページ設定(&U)..."), Item(ID_PAGE_PRINT_PREVIEW, "印刷プレビュー(&V).."),
             Item(ID_FILE_PRINT, "印刷(&P)\tCtrl+P"), Separator(),
             Item(ID_PAGE_SHORTCUT, "ショートカット作成(S)"), Item(ID_PAGE_PROPERTIES, "プロパティ(&R)"),
             Check(ID_OFFLINE, "オフライン作業(&W)"), Separator(), Item(ID_TAB_CLOSE, "閉じる(&C)\tCtrl+W"),
             Item(ID_APP_EXIT, "終了(&X)")}),
        Sub("編集(&E)",
            {Item(ID_TAB_COPY_TITLE, "タイトルをコピー(&T)"), Item(ID_TAB_COPY_URL, "URLをコピー(&U)"),
             Separator(), Item(ID_PAGE_OPEN_SELECTION, "選択文字列を開く(&J)"),
             Item(ID_PAGE_FIND, "このページの検索(&F)\tCtrl+F")}),
        Sub("表示(&V)",
            {Item(ID_TAB_BACK, "前に戻る(&B)\tAlt+Left"), Item(ID_TAB_FORWARD, "次に進む(&F)\tAlt+Right"),
             Item(ID_TAB_HOME, "ホーム ページ(&H)\tAlt+Home"), Item(ID_PAGE_UP, "上へ"), backList,
             forwardList, Separator(),
             Item(ID_TAB_STOP, "中止(&P)\tEscape"), Item(ID_TAB_REFRESH, "最新の情報に更新(&R)\tF5"),
             Separator(), Sub("文字のサイズ(&X)", TextSizeMenu()), Item(ID_PAGE_SOURCE, "ソース(&C)"),
             Item(ID_PAGE_COMMENTS, "コメントの表示(&L)"), Item(ID_PAGE_FOCUS, "ページにフォーカス")}),
        Sub("タブ(&T)",
            {Item(ID_TAB_NEXT, "次のタブ(&N)\tCtrl+Page_Down"), Item(ID_TAB_PREV, "前のタブ(&P)\tCtrl+Page_Up"),
             Separator(), Item(ID_TAB_MOVE_LEFT, "タブを左に移動(&L)"),
             Item(ID_TAB_MOVE_RIGHT, "タブを右に移動(&R)"), Separator(),
             Item(ID_TAB_REFRESH_ALL, "すべて更新(&A)"), Item(ID_TAB_STOP_ALL, "すべて中止(&A)"), Separator(),
             Item(ID_TAB_CLOSE_OTHERS, "これ以外は閉じる(&K)"), Item(ID_TAB_CLOSE_ALL, "すべて閉じる(&C)"),
             Item(ID_TAB_CLOSE_READ, "既読タブを閉じる(&D)"),
             Item(ID_TAB_RESTORE_CLOSED, "すべて閉じるを復元(&E)"), Separator(),
             Check(ID_TAB_NAVIGATE_LOCK, "ナビゲートロック(&L)"), Separator(),
             Item(ID_TAB_MANAGER, "タブ マネージャー(&M)")}),
        Sub("ツール(&T)", ToolsMenu()),
        Sub("ヘルプ(&H)", {Item(ID_APP_ABOUT, "バージョン情報(&A)")}),
    };
}

std::vector<MenuEntry> TabMenu() {
    return {Item(ID_TAB_CLOSE, "閉じる(&C)"), Item(ID_TAB_REFRESH, "更新(&R)"), Item(ID_TAB_STOP, "中止(&P)"),
            Separator(), Item(ID_TAB_BACK, "前に戻る(&B)"), Item(ID_TAB_FORWARD, "次に進む(&F)"),
            Item(ID_TAB_HOME, "ホーム ページ(&H)"), Separator(),
            Item(ID_TAB_MOVE_LEFT, "タブを左に移動(&L)"), Item(ID_TAB_MOVE_RIGHT, "タブを右に移動(&R)"),
            Check(ID_TAB_NAVIGATE_LOCK, "ナビゲートロック(&L)"),
            Sub("自動更新(&U)", {Check(ID_TAB_AUTO_REFRESH_START, "自動更新開始(&S)"),
                                 Check(ID_TAB_AUTO_REFRESH_STOP, "自動更新なし(&S)")}),
            Separator(), Item(ID_TAB_COPY_TITLE, "タイトルをコピー(&T)"), Item(ID_TAB_COPY_URL, "URLをコピー(&U)"),
            Separator(), Item(ID_STARTUP_ADD, "スタートアップURLに登録(&S)"),
            Item(ID_FILTER_REGISTER_URL, "制止URLに登録(&C)"), Item(ID_FILTER_REGISTER_TITLE, "制止タイトルに登録(&T)"),
            Separator(), Item(ID_TAB_CLOSE_OTHERS, "これ以外は閉じる(&K)")};
}

std::vector<MenuEntry> TabBarMenu() {
    return {Item(ID_TAB_NEXT, "次のタブ(&N)"), Item(ID_TAB_PREV, "前のタブ(&P)"), Separator(),
            Item(ID_TAB_REFRESH_ALL, "すべて更新(&A)"), Item(ID_TAB_STOP_ALL, "すべて中止(&A)"), Separator(),
            Item(ID_TAB_CLOSE_OTHERS, "これ以外は閉じる(&K)"), Item(ID_TAB_CLOSE_ALL, "すべて閉じる(&C)"),
            Item(ID_TAB_CLOSE_READ, "既読タブを閉じる(&D)"), Separator(),
            Item(ID_TAB_MANAGER, "タブ マネージャー(&M)")};
}

}  // namespace fern
