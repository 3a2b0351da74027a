#include "commands/CommandCatalogue.h"

#include <algorithm>
#include <array>
#include <unordered_map>

#include "platform/text/SjisByteClass.h"

namespace fern {

namespace {

constexpr bool kCheck = true;
constexpr bool kPlain = false;

// clang-format off
constexpr CommandInfo kCommands[] = {
    // File
    {ID_NEW_TAB,             kPlain, "新規タブ(&N)",                 "新しいタブを開きます。\n新規タブ"},
    {ID_NEW_TAB_BLANK,       kPlain, "空白ページ(&A)",               "空白ページを新しいタブで開きます。\n空白ページ"},
    {ID_NEW_TAB_CLIPBOARD,   kPlain, "クリップボード(&B)",           "クリップボードのURLを新しいタブで開きます。\nクリップボードから開く"},
    {ID_NEW_TAB_COPY,        kPlain, "選択タブをコピー(&C)",         "選択しているタブのページを新しいタブで開きます。\n選択タブをコピー"},
    {ID_NEW_TAB_HOME,        kPlain, "ホームページ(&H)",             "ホーム ページを新しいタブで開きます。\nホームページを開く"},
    {ID_FILE_OPEN_URL,       kPlain, "開く(&O)...",                  "ドキュメントを開きます。\n開く"},
    {ID_PAGE_SHORTCUT,       kPlain, "ショートカット作成(S)",         "このページのショートカットをデスクトップに作成します。\nショートカット作成"},
    {ID_OFFLINE,             kCheck, "オフライン作業(&W)",           "オフラインで作業します。\nオフライン作業"},
    {ID_RECENT_LAST,         kPlain, "最後に閉じたURLを開く(&L)",     "最後に閉じたタブのページを開きます。\n最後に閉じたURL"},
    {ID_STATE_RESTORE,       kPlain, "ログから読み込み(&R)",         "ログに保存してあるURLを開きます。\nログから読み込み"},
    {ID_STATE_SAVE,          kPlain, "現在の状態をログに保存(&S)",   "開いているタブのURLをログに保存します。\nログに保存"},
    {ID_STATE_SAVE_LIST,     kPlain, "現在の状態をリストに保存(&S)", "開いているタブのURLをリスト ファイルに保存します。\nリストに保存"},
    {ID_STATE_OPEN_LIST,     kPlain, "リストから読み込み(&R)",       "リスト ファイルのURLを開きます。\nリストから読み込み"},
    {ID_PAGE_SETUP,          kPlain, "ページ設定(&U)...",            "印刷のページを設定します。\nページ設定"},
    {ID_PAGE_PROPERTIES,     kPlain, "プロパティ(&R)",               "このページのプロパティを表示します。\nプロパティ"},
    {ID_PAGE_PRINT_PREVIEW,  kPlain, "印刷プレビュー(&V)..",         "印刷イメージを表示します。\n印刷プレビュー"},
    {ID_FILE_PRINT,          kPlain, "印刷(&P)",                     "このページを印刷します。\n印刷"},
    {ID_RECENT_SAVE,         kCheck, "保存する(&S)",                 "最近閉じたURLを終了時に保存します。\n最近閉じたURLを保存"},
    {ID_RECENT_OPEN_ALL,     kPlain, "すべて開く(&A)",               "最近閉じたURLをすべて開きます。\n最近閉じたURLをすべて開く"},
    {ID_AUTOSAVE_START,      kCheck, "自動保存開始(&S)",             "自動保存の間隔を指定して開始します。\n自動保存"},
    {ID_FILE_SAVE_AS,        kPlain, "名前をつけて保存(&A)...",      "このページを名前をつけて保存します。\n名前をつけて保存"},
    {ID_TAB_CLOSE,           kPlain, "閉じる(&C)",                   "タブを閉じます。\n閉じる"},
    {ID_APP_EXIT,            kPlain, "終了(&X)",                     "Fern Browser を終了します。\n終了"},
    {ID_APP_ABOUT,           kPlain, "バージョン情報(&A)",           "バージョン情報を表示します。\nバージョン情報"},
    // Edit
    {ID_TAB_COPY_TITLE,      kPlain, "タイトルをコピー(&T)",         "ページのタイトルをクリップボードにコピーします。\nタイトルをコピー"},
    {ID_TAB_COPY_URL,        kPlain, "URLをコピー(&U)",              "ページのURLをクリップボードにコピーします。\nURLをコピー"},
    {ID_PAGE_OPEN_SELECTION, kPlain, "選択文字列を開く(&J)",         "選択している文字列を新しいタブで開きます。\n選択文字列を開く"},
    {ID_PAGE_FIND,           kPlain, "このページの検索(&F)",         "このページの文字列を検索します。\nページ内検索"},
    {ID_PAGE_FIND_CLIPBOARD, kPlain, "検索",                         "クリップボードの文字列をこのページで検索します。\nクリップボードで検索"},
    // View
    {ID_TAB_BACK,            kPlain, "前に戻る(&B)",                 "前のページに戻ります。\n戻る", "Alt+Left"},
    {ID_TAB_FORWARD,         kPlain, "次に進む(&F)",                 "次のページに進みます。\n進む", "Alt+Right"},
    {ID_TAB_HOME,            kPlain, "ホーム ページ(&H)",            "ホーム ページを開きます。\nホーム"},
    {ID_PAGE_UP,             kPlain, "上へ",                         "一つ上のディレクトリを開きます。\n上のディレクトリ"},
    {ID_TAB_STOP,            kPlain, "中止(&P)",                     "ページの読み込みを中止します。\n中止"},
    {ID_TAB_REFRESH,         kPlain, "最新の情報に更新(&R)",         "ページを最新の情報に更新します。\n更新"},
    {ID_PAGE_REFRESH_LATEST, kPlain, "最新に更新",                   "キャッシュを使わずにページを更新します。\n最新に更新"},
    {ID_TEXT_LARGEST,        kCheck, "最大(&G)",                     "文字のサイズを最大にします。\n文字 最大"},
    {ID_TEXT_LARGEST + 1,    kCheck, "大(&L)",                       "文字のサイズを大にします。\n文字 大"},
    {ID_TEXT_LARGEST + 2,    kCheck, "中(&M)",                       "文字のサイズを中にします。\n文字 中"},
    {ID_TEXT_LARGEST + 3,    kCheck, "小(&S)",                       "文字のサイズを小にします。\n文字 小"},
    {ID_TEXT_SMALLEST,       kCheck, "最小(&A)",                     "文字のサイズを最小にします。\n文字 最小"},
    {ID_TEXT_LARGER,         kPlain, "文字を大きく(&I)",             "文字のサイズを一段大きくします。\n文字を大きく"},
    {ID_TEXT_SMALLER,        kPlain, "文字を小さく(&D)",             "文字のサイズを一段小さくします。\n文字を小さく"},
    {ID_PAGE_SOURCE,         kPlain, "ソース(&C)",                   "このページのソースを表示します。\nソース"},
    {ID_PAGE_COMMENTS,       kPlain, "コメントの表示(&L)",           "ページのコメントを表示します。\nコメントの表示"},
    {ID_PAGE_FOCUS,          kPlain, "ページにフォーカス",           "ページにキーボード フォーカスを移します。\nページにフォーカス"},
    // Tabs
    {ID_TAB_NEXT,            kPlain, "次のタブ(&N)",                 "次のタブを選択します。\n次のタブ"},
    {ID_TAB_PREV,            kPlain, "前のタブ(&P)",                 "前のタブを選択します。\n前のタブ"},
    {ID_TAB_FIRST,           kPlain, "最初のタブ(&F)",               "最初のタブを選択します。\n最初のタブ"},
    {ID_TAB_LAST,            kPlain, "最後のタブ(&E)",               "最後のタブを選択します。\n最後のタブ"},
    {ID_TAB_MOVE_LEFT,       kPlain, "タブを左に移動(&L)",           "タブを左に移動します。\nタブを左に移動"},
    {ID_TAB_MOVE_RIGHT,      kPlain, "タブを右に移動(&R)",           "タブを右に移動します。\nタブを右に移動"},
    {ID_TAB_REFRESH_ALL,     kPlain, "すべて更新(&A)",               "すべてのタブを更新します。\nすべて更新"},
    {ID_TAB_STOP_ALL,        kPlain, "すべて中止(&A)",               "すべてのタブの読み込みを中止します。\nすべて中止"},
    {ID_TAB_CLOSE_OTHERS,    kPlain, "これ以外は閉じる(&K)",         "このタブ以外のタブを閉じます。\nこれ以外は閉じる"},
    {ID_TAB_CLOSE_ALL,       kPlain, "すべて閉じる(&C)",             "すべてのタブを閉じます。\nすべて閉じる"},
    {ID_TAB_CLOSE_READ,      kPlain, "既読タブを閉じる(&D)",         "読み込み済みのタブを閉じます。\n既読タブを閉じる"},
    {ID_TAB_RESTORE_CLOSED,  kPlain, "すべて閉じるを復元(&E)",       "すべて閉じる前のタブを開き直します。\nすべて閉じるを復元"},
    {ID_TAB_NAVIGATE_LOCK,   kCheck, "ナビゲートロック(&L)",         "このタブのページを固定します。\nナビゲートロック"},
    {ID_TAB_MANAGER,         kPlain, "タブ マネージャー(&M)",        "タブ マネージャーを表示します。\nタブ マネージャー"},
    {ID_TAB_AUTO_REFRESH_START, kCheck, "自動更新開始(&S)",          "間隔を指定してページを自動で更新します。\n自動更新開始"},
    {ID_TAB_AUTO_REFRESH_STOP,  kCheck, "自動更新なし(&S)",          "ページの自動更新をやめます。\n自動更新なし"},
    {ID_TAB_SLEEP,           kPlain, "タブを休止(&Z)",               "このタブのページを閉じてメモリを空けます。選択すると元に戻ります。\nタブを休止"},
    // Tools
    {ID_DLC_IMAGES,          kCheck, "画像のダウンロード(&I)",       "画像をダウンロードします。\n画像のダウンロード"},
    {ID_DLC_SOUNDS,          kCheck, "サウンドのダウンロード(&S)",   "サウンドをダウンロードします。\nサウンドのダウンロード"},
    {ID_DLC_VIDEOS,          kCheck, "ビデオのダウンロード(&V)",     "ビデオをダウンロードします。\nビデオのダウンロード"},
    {ID_DLC_MEDIA_INVERT,    kPlain, "設定を反転(&R)",               "マルチメディアの設定を反転します。\nマルチメディアの反転"},
    {ID_DLC_JAVA,            kCheck, "Javaの実行(&J)",               "Javaを実行します。\nJavaの実行"},
    {ID_DLC_SCRIPTS,         kCheck, "Scriptの実行(&S)",             "スクリプトを実行します。\nスクリプトの実行"},
    {ID_DLC_ACTIVEX_RUN,     kCheck, "ActiveXの実行(&A)",            "ActiveXを実行します。\nActiveXの実行"},
    {ID_DLC_ACTIVEX_DOWNLOAD, kCheck, "ActiveXのダウンロード(&D)",   "ActiveXをダウンロードします。\nActiveXのダウンロード"},
    {ID_DLC_SECURITY_INVERT, kPlain, "設定を反転(&R)",               "セキュリティの設定を反転します。\nセキュリティの反転"},
    {ID_DLC_SECURITY_CHOSEN, kPlain, "セキュリティ指定",             "お気に入りのセキュリティ設定にします。\nセキュリティ指定"},
    {ID_DLC_TEMPLATE_DEFAULT,   kPlain, "初期値(&D)",                "セキュリティを初期値にします。\nセキュリティ 初期値"},
    {ID_DLC_TEMPLATE_FAVORITES, kPlain, "お気に入り(&F)",            "セキュリティをお気に入りの設定にします。\nセキュリティ お気に入り"},
    {ID_DLC_TEMPLATE_LOW,       kPlain, "設定 低(&L)",               "セキュリティを低にします。\nセキュリティ 低"},
    {ID_DLC_TEMPLATE_MEDIUM,    kPlain, "設定 中(&M)",               "セキュリティを中にします。\nセキュリティ 中"},
    {ID_DLC_TEMPLATE_HIGH,      kPlain, "設定 高(&H)",               "セキュリティを高にします。\nセキュリティ 高"},
    {ID_COOKIE_FIRST_PARTY,  kCheck, "クッキー(&C)",                 "サイトのクッキーを受け入れます。\nクッキー"},
    {ID_COOKIE_SESSION,      kCheck, "セッションごとのクッキー(&S)", "セッションごとのクッキーを受け入れます。\nセッションごとのクッキー"},
    {ID_COOKIE_THIRD_PARTY,  kCheck, "サードパーティのクッキー(&T)", "サードパーティのクッキーを受け入れます。\nサードパーティのクッキー"},
    {ID_COOKIE_INVERT,       kPlain, "設定を反転(&R)",               "クッキーの設定を反転します。\nクッキーの反転"},
    {ID_COOKIE_DELETE,       kPlain, "クッキーを削除(&D)",           "クッキーをすべて削除します。\nクッキーを削除"},
    {ID_INTERNET_OPTIONS,    kPlain, "インターネット オプション(&O)...", "インターネット オプションを表示します。\nインターネット オプション"},
    {ID_FILTER_REGISTER_URL,   kPlain, "制止URLに登録(&C)",          "このタブのURLを制止URLに登録します。\n制止URLに登録"},
    {ID_FILTER_REGISTER_TITLE, kPlain, "制止タイトルに登録(&T)",     "このタブのタイトルを制止タイトルに登録します。\n制止タイトルに登録"},
    {ID_FILTER_SCRIPT_ERRORS,  kCheck, "スクリプトエラー(&S)",       "スクリプト エラーを表示します。\nスクリプトエラー"},
    {ID_FILTER_DIALOG_SWEEP,   kCheck, "警告ダイアログは閉じる(&K)", "警告ダイアログを自動で閉じます。\n警告ダイアログは閉じる"},
    {ID_STARTUP_ADD,         kPlain, "スタートアップURLに登録(&S)",  "このタブのURLをスタートアップURLに登録します。\nスタートアップURLに登録"},
    {ID_DOWNLOADS_WINDOW,    kPlain, "ダウンロード(&D)",             "ダウンロードの一覧を表示します。\nダウンロード", "Ctrl+J"},
    {ID_KEY_SETTINGS,        kPlain, "キー設定(&K)...",              "コマンドのキーを設定します。\nキー設定"},
    {ID_OPTIONS,             kPlain, "オプション(&P)...",            "Fern Browser の設定を変更します。\nオプション"},
    {ID_ADDRESS_FOCUS,       kPlain, "アドレス バーにフォーカス",    "アドレス バーにキーボード フォーカスを移します。\nアドレス バーにフォーカス", "Ctrl+L"},
    {ID_ADDRESS_DROP_DOWN,   kPlain, "アドレスの一覧",               "アドレス バーの一覧を開きます。\nアドレスの一覧"},
    {ID_ADDRESS_GO_BUTTON,   kCheck, "移動ボタン",                   "アドレス バーの移動ボタンを表示します。\n移動ボタン"},
    {ID_HISTORY_CLEAR_ALL,   kPlain, "すべての履歴(&A)...",          "履歴をすべて消去します。\nすべての履歴を消去"},
    {ID_HISTORY_CLEAR_TODAY, kPlain, "今日の履歴(&T)...",            "今日の履歴を消去します。\n今日の履歴を消去"},
    {ID_HISTORY_CLEAR_SITE,  kPlain, "表示中のサイトの履歴(&S)...",  "表示中のサイトの履歴を消去します。\nサイトの履歴を消去"},
    {ID_SESSION_REOPEN,      kPlain, "前回のセッションを開く(&B)",   "前回のセッションのタブを一覧し、選んで開きます。\n前回のセッション"},
    // Bookmarks
    {ID_BOOKMARK_ADD,        kPlain, "追加(&A)",                     "表示しているページをブックマークに追加します。\n追加"},
    {ID_BOOKMARK_ADD_ALL,    kPlain, "すべて追加(&C)",               "開いているすべてのページをブックマークに追加します。\nすべて追加"},
    {ID_AUTOSAVE_BOOKMARKS,  kCheck, "ブックマーク",                 "ブックマークを自動保存します。\nブックマークの自動保存"},
    {ID_BOOKMARK_ADD_TAB,    kPlain, "ブックマークに追加(&A)...",    "このタブのページをブックマークに追加します。\nブックマークに追加"},
    {ID_LINK_BAR,            kCheck, "リンク バー(&L)",              "リンク バーを表示します。\nリンク バー"},
    // The bookmark panel
    {ID_BKP_OPEN, kPlain, "開く(&O)\tEnter", "選択しているブックマークを開きます。\n開く"},
    {ID_BKP_OPEN_NEW_TAB, kPlain, "新規タブで開く(&N)\tShift+Enter", "選択しているブックマークを新しいタブで開きます。\n新規タブで開く"},
    {ID_BKP_OPEN_FOLDER, kPlain, "フォルダのURLを開く(&A)", "フォルダにあるブックマークをすべて新しいタブで開きます。\nフォルダのURLを開く"},
    {ID_BKP_NEW_FOLDER, kPlain, "フォルダ(&F)", "新しいフォルダを作成します。\n新規フォルダ"},
    {ID_BKP_NEW_SEPARATOR, kPlain, "セパレータ(&S)", "新しいセパレータを作成します。\n新規セパレータ"},
    {ID_BKP_NEW_BOOKMARK, kPlain, "ブックマーク(&B)", "新しいブックマークを作成します。\n新規ブックマーク"},
    {ID_BKP_EDIT, kPlain, "編集(&E)", "選択しているブックマークのプロパティを編集します。\n編集"},
    {ID_BKP_CUT, kPlain, "切り取り(&T)\tCtrl+X", "選択しているブックマークを切り取ります。\n切り取り"},
    {ID_BKP_COPY, kPlain, "コピー(&C)\tCtrl+C", "選択しているブックマークをコピーします。\nコピー"},
    {ID_BKP_PASTE, kPlain, "貼り付け(&P)\tCtrl+V", "選択しているフォルダに貼り付けます。\n貼り付け"},
    {ID_BKP_UNDO, kPlain, "元に戻す(&U)\tCtrl+Z", "ブックマークの変更を元に戻します。\n元に戻す"},
    {ID_BKP_REDO, kPlain, "やり直し(&R)\tCtrl+Y", "元に戻した変更をやり直します。\nやり直し"},
    {ID_BKP_DELETE, kPlain, "削除(&D)\tDelete", "選択しているブックマークを削除します。\n削除"},
    {ID_BKP_COPY_TITLE, kPlain, "タイトルのコピー(&T)\tCtrl+T", "ブックマークの名前をクリップボードにコピーします。\nタイトルのコピー"},
    {ID_BKP_COPY_URL, kPlain, "URLのコピー(&U)\tCtrl+R", "ブックマークのURLをクリップボードにコピーします。\nURLのコピー"},
    {ID_BKP_EXPAND_ALL, kPlain, "すべてのフォルダを開く(&E)\tCtrl+E", "すべてのフォルダを開きます。\nすべてのフォルダを開く"},
    {ID_BKP_COLLAPSE_ALL, kPlain, "すべてのフォルダを閉じる(&C)\tCtrl+Q", "すべてのフォルダを閉じます。\nすべてのフォルダを閉じる"},
    {ID_BKP_SORT_TITLE, kPlain, "タイトルで並び替え(&T)", "フォルダの中身をタイトルで並び替えます。\nタイトルで並び替え"},
    {ID_BKP_SORT_ADDRESS, kPlain, "アドレスで並び替え(&U)", "フォルダの中身をアドレスで並び替えます。\nアドレスで並び替え"},
    {ID_BKP_SORT_ASCENDING, kCheck, "昇順(&A)", "昇順に並び替えます。\n昇順"},
    {ID_BKP_SORT_DESCENDING, kCheck, "降順(&D)", "降順に並び替えます。\n降順"},
    {ID_BKP_SAVE, kPlain, "上書き保存(&A)", "ブックマーク ファイルを保存します。\n上書き保存"},
    {ID_BKP_SAVE_AS, kPlain, "名前を付けて保存(&A)", "ブックマーク ファイルを名前を付けて保存します。\n名前を付けて保存"},
    {ID_BKP_IMPORT_NETSCAPE, kPlain, "ネットスケープから変換(&N)", "ネットスケープ形式のブックマークを読み込みます。\nネットスケープから変換"},
    {ID_BKP_IMPORT_FAVORITES, kPlain, "お気に入りから変換(&F)", "お気に入りのフォルダを読み込みます。\nお気に入りから変換"},
    {ID_BKP_IMPORT_HOTLIST, kPlain, "オペラから変換(&O)", "adr ファイルを読み込みます。\nオペラから変換"},
    {ID_BKP_IMPORT_HTML_LIST, kPlain, "以前のブックマークから変換(&F)", "以前の形式のブックマークを読み込みます。\n以前のブックマークから変換"},
    {ID_BKP_EXPORT_NETSCAPE, kPlain, "ネットスケープへ変換(&N)", "ネットスケープ形式で書き出します。\nネットスケープへ変換"},
    {ID_BKP_EXPORT_FAVORITES, kPlain, "お気に入りへ変換(&F)", "お気に入りの形式で書き出します。\nお気に入りへ変換"},
    {ID_BKP_EMPTY_TRASH, kPlain, "ゴミ箱を空にする(&E)", "ゴミ箱の中身を完全に削除します。\nゴミ箱を空にする"},
    {ID_BKP_CLEAR_HISTORY, kPlain, "やり直し履歴のクリア(&C)", "元に戻す履歴とやり直し履歴を消去します。\nやり直し履歴のクリア"},
    {ID_BKP_USE_TRASH, kCheck, "ゴミ箱を使う(&R)", "削除したブックマークをゴミ箱に移します。\nゴミ箱を使う"},
    {ID_BKP_INFO_TIPS, kCheck, "インフォチップ(&I)", "ブックマークのツール チップを表示します。\nインフォチップ"},
    {ID_BKP_DOUBLE_CLICK, kCheck, "ダブルクリックモード(&D)", "ダブルクリックでブックマークを開きます。\nダブルクリックモード"},
    {ID_BKP_TOGGLE_OPEN, kCheck, "開くの切り替え(&S)", "クリックしたブックマークを新しいタブで開きます。\n開くの切り替え"},
    {ID_BKP_SAVE_HTML, kCheck, "Htmlでも保存(&H)", "保存のたびにHTML形式でも保存します。\nHtmlでも保存"},
    {ID_BKP_SPLIT_SEARCH, kCheck, "検索(&S)", "ブックマークの検索欄を表示します。\n検索"},
    {ID_BKP_SPLIT_SIDE_BY_SIDE, kCheck, "左右に分割(&V)", "検索結果をツリーの右に並べます。\n左右に分割"},
    // URL extraction and proxy switching
    {ID_URL_EXTRACT,         kPlain, "URLの抽出(&E)",                "このページのリンクを一覧し、選んで開くか保存します。\nURLの抽出"},
    {ID_PROXY_SETTINGS,      kPlain, "プロキシ サーバーの設定(&O)",  "プロキシ サーバーの一覧を編集します。\nプロキシ サーバーの設定"},
    {ID_PROXY_DIRECT,        kCheck, "ダイレクトに接続(&D)",         "プロキシ サーバーを使わずに接続します。\nダイレクトに接続"},
    {ID_PROXY_SYSTEM,        kCheck, "インターネットオプションで接続(&I)", "デスクトップのプロキシ設定で接続します。\nインターネットオプションで接続"},
    // The side bar and the web searches
    {ID_FERN_BAR,            kCheck, "ファーン バー",                "ファーン バーの表示/非表示を切り替えます。\nファーン バー"},
    {ID_BOOKMARK_BAR,        kCheck, "ブックマーク バー",            "ファーン バーにブックマークを表示します。\nブックマーク バー"},
    {ID_HISTORY_BAR,         kCheck, "履歴 バー",                    "ファーン バーに履歴を表示します。\n履歴 バー"},
    {ID_HISTORY_SEARCH_BAR,  kCheck, "履歴検索 バー",                "ファーン バーに履歴検索を表示します。\n履歴検索 バー"},
    {ID_WEB_SEARCH_BAR,      kCheck, "Web検索 バー",                 "ファーン バーにWeb検索を表示します。\nWeb検索 バー"},
    {ID_SIDEBAR_NEXT_PANEL,  kPlain, "次のパネル(&X)",               "ファーン バーの次のパネルを表示します。\n次のパネル"},
    {ID_SIDEBAR_PREV_PANEL,  kPlain, "前のパネル(&V)",               "ファーン バーの前のパネルを表示します。\n前のパネル"},
    {ID_SIDEBAR_FOCUS_PANEL, kPlain, "パネルにフォーカス",           "ファーン バーのパネルにキーボード フォーカスを移します。\nパネルにフォーカス"},
    {ID_WEB_SEARCH,          kPlain, "Web検索(&W)",                  "クリップボードの文字列をWeb検索します。\nWeb検索"},
    {ID_WEB_SEARCH_DIALOG,   kPlain, "Web検索ワード(&Q)...",         "検索する文字列を入力してWeb検索します。\nWeb検索ワード"},
    // Direct import from other browsers, the list editor
    {ID_BOOKMARK_IMPORT_BROWSER, kPlain, "ブラウザから取り込み(&W)...", "ほかのブラウザのプロファイルからブックマークを直接取り込みます。\nブラウザから取り込み"},
    {ID_BKP_IMPORT_BROWSER,  kPlain, "ブラウザから取り込み(&W)...", "ほかのブラウザのプロファイルからブックマークを選択したフォルダに取り込みます。\nブラウザから取り込み"},
    {ID_LIST_EDITOR,         kPlain, "リスト エディタ(&L)...",       "URLのリスト ファイルを編集するリスト エディタを開きます。\nリスト エディタ"},
    // The window: full screen, the task tray, the mailer
    {ID_FULL_SCREEN,         kCheck, "全画面表示(&F)",               "ウィンドウを全画面で表示します。\n全画面表示", "F11"},
    {ID_TASK_TRAY,           kPlain, "タスク トレイ(&T)",            "ウィンドウをタスク トレイに入れます。\nタスク トレイ"},
    {ID_MAILER,              kPlain, "メーラーを起動(&E)",           "メーラーを起動します。\nメーラーを起動"},
    // The tool bar's buttons and the bars
    {ID_TEXT_SIZE,           kPlain, "文字のサイズ(&X)",             "文字のサイズを変更します。\nサイズ"},
    {ID_BOOKMARK_PANEL,      kCheck, "ブックマーク(&B)",             "ブックマークを表示します。\nブックマーク"},
    {ID_PROXY_TOOL_BUTTON,   kPlain, "プロキシの設定(&X)",           "プロキシ サーバーの一覧を編集します。\nプロキシの設定"},
    {ID_VIEW_MENU_BAR,       kCheck, "メニュー バー(&M)",            "メニュー バーを表示します。\nメニュー バー"},
    {ID_VIEW_TOOL_BAR,       kCheck, "ツール バー(&T)",              "ツール バーを表示します。\nツール バー"},
    {ID_VIEW_ADDRESS_BAR,    kCheck, "アドレス バー(&A)",            "アドレス バーを表示します。\nアドレス バー"},
    {ID_VIEW_TAB_BAR,        kCheck, "タブ バー(&U)",                "タブ バーを表示します。\nタブ バー"},
    {ID_TOOL_BAR_CUSTOMIZE,  kPlain, "カスタマイズ(&C)...",          "ツール バーのボタンを選んで並べます。\nツール バーのカスタマイズ"},
    {ID_BARS_FIXED,          kCheck, "バーを固定(&B)",               "バーを動かないように固定します。\nバーを固定"},
    // Where the tool bar stands
    {ID_TOOL_BAR_BAND,        kCheck, "バンドにする(&B)",            "ツール バーをほかのバーと並ぶバンドにします。\nツール バーをバンドに"},
    {ID_TOOL_BAR_DOCK_TOP,    kCheck, "上(&T)",                      "ツール バーをウィンドウの上に置きます。\nツール バーを上に"},
    {ID_TOOL_BAR_DOCK_LEFT,   kCheck, "左(&L)",                      "ツール バーをウィンドウの左に縦に置きます。\nツール バーを左に"},
    {ID_TOOL_BAR_DOCK_RIGHT,  kCheck, "右(&R)",                      "ツール バーをウィンドウの右に縦に置きます。\nツール バーを右に"},
    {ID_TOOL_BAR_DOCK_BOTTOM, kCheck, "下(&D)",                      "ツール バーをウィンドウの下に置きます。\nツール バーを下に"},
};

// The key table, slot by slot.
constexpr std::pair<int, KeySlot> kSlots[] = {
    {0, {32820, 1}},  {1, {32821, 1}},  {2, {32822, 1}},  {3, {32823, 1}},  {4, {32824, 1}},
    {5, {32825, 1}},  {6, {32826, 1}},  {7, {32827, 1}},  {8, {32828, 1}},  {9, {32829, 1}},
    {10, {32830, 1}}, {11, {32831, 1}}, {12, {32832, 1}}, {13, {32834, 1}}, {14, {57607, 1}},
    {15, {32833, 1}}, {98, {33060, 1}}, {99, {33061, 1}}, {122, {33106, 1}}, {133, {33117, 1}},
    {21, {32900, 2}}, {22, {32901, 2}}, {23, {32902, 2}}, {24, {32903, 2}}, {25, {32904, 2}},
    {127, {33111, 2}}, {128, {33112, 2}},
    {33, {32930, 3}}, {34, {32931, 3}}, {35, {32932, 3}}, {36, {32933, 3}}, {37, {32934, 3}},
    {38, {32935, 3}}, {39, {32936, 3}}, {40, {32937, 3}}, {41, {32938, 3}}, {42, {32939, 3}},
    {44, {32941, 3}}, {45, {32942, 3}}, {46, {32943, 3}}, {47, {32944, 3}}, {48, {32945, 3}},
    {49, {32946, 3}}, {51, {32948, 3}}, {58, {32955, 3}}, {59, {32956, 3}}, {62, {32959, 3}},
    {104, {33074, 3}}, {105, {33075, 3}}, {129, {33113, 3}}, {130, {33114, 3}}, {131, {33115, 3}},
    {132, {33116, 3}}, {134, {33118, 3}}, {135, {33119, 3}}, {136, {33120, 3}}, {137, {33121, 3}},
    {141, {33125, 3}}, {142, {33126, 3}},
    {71, {33000, 4}}, {72, {33001, 4}},
    {79, {33020, 5}}, {80, {33021, 5}}, {81, {33022, 5}}, {82, {33023, 5}}, {83, {33030, 5}},
    {84, {33031, 5}}, {85, {33032, 5}}, {86, {33033, 5}}, {87, {33034, 5}}, {89, {33040, 5}},
    {90, {33041, 5}}, {92, {33043, 5}}, {93, {33050, 5}}, {94, {33051, 5}}, {95, {33052, 5}},
    {96, {33053, 5}}, {97, {33054, 5}}, {100, {33070, 5}}, {101, {33071, 5}}, {102, {33072, 5}},
    {103, {33073, 5}}, {108, {33078, 5}}, {125, {33109, 5}}, {126, {33110, 5}}, {139, {33123, 5}},
    {116, {33100, 6}}, {117, {33101, 6}}, {118, {33102, 6}}, {119, {33103, 6}}, {120, {33104, 6}},
    {121, {33105, 6}}, {138, {33122, 6}},
    {43, {32940, 0}},  // routed, not offered in the dialog
};
// clang-format on

const std::array<KeySlot, kKeySlotCount>& SlotTable() {
    static const std::array<KeySlot, kKeySlotCount> table = [] {
        std::array<KeySlot, kKeySlotCount> t{};
        for (const auto& [slot, entry] : kSlots) t[slot] = entry;
        return t;
    }();
    return table;
}

}  // namespace

std::span<const CommandInfo> CommandCatalogue() { return kCommands; }

const CommandInfo* FindCommand(int id) {
    static const std::unordered_map<int, const CommandInfo*> byId = [] {
        std::unordered_map<int, const CommandInfo*> map;
        for (const CommandInfo& command : kCommands) map.emplace(command.id, &command);
        return map;
    }();
    auto it = byId.find(id);
    return it == byId.end() ? nullptr : it->second;
}

std::string PlainMenuText(const char* menuText) {
    std::string text = menuText ? menuText : "";
    std::size_t open = text.find("(&");
    if (open != std::string::npos && SjisByteClassAt(text, open) == SjisByteClass::Single) {
        std::size_t close = text.find(')', open);
        if (close != std::string::npos) text.erase(open, close - open + 1);
    }
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '&' && SjisByteClassAt(text, i) == SjisByteClass::Single) {
            if (i + 1 < text.size() && text[i + 1] == '&') out += text[++i];  // "&&" is an "&"
            continue;
        }
        out += text[i];
    }
    while (out.size() >= 3 && out.compare(out.size() - 3, 3, "...") == 0) out.erase(out.size() - 3);
    while (!out.empty() && out.back() == '.') out.pop_back();
    return out;
}

std::string ShortName(const CommandInfo& command) {
    std::string prompt = command.prompt;
    std::size_t newline = prompt.find('\n');
    if (newline != std::string::npos) return prompt.substr(newline + 1);
    return PlainMenuText(command.menuText);
}

std::string PromptText(const CommandInfo& command) {
    std::string prompt = command.prompt;
    return prompt.substr(0, prompt.find('\n'));
}

KeySlot KeySlotAt(int slot) {
    if (slot < 0 || slot >= kKeySlotCount) return {};
    return SlotTable()[static_cast<std::size_t>(slot)];
}

std::optional<int> SlotOfCommand(int id) {
    if (id == 0) return std::nullopt;
    const auto& table = SlotTable();
    auto it = std::find_if(table.begin(), table.end(), [id](const KeySlot& s) { return s.id == id; });
    if (it == table.end()) return std::nullopt;
    return static_cast<int>(it - table.begin());
}

const char* CategoryName(int category) {
    static const char* const names[] = {"ファイル系",     "編集系",   "表示系",
                                        "ブックマーク系", "ツール系", "タブ系"};
    return category >= 1 && category <= kCategoryCount ? names[category - 1] : "";
}

}  // namespace fern
