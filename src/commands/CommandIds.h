#pragma once
// Every command id of the program. Menus, tool bars, keys, the tray and
// other programs send these numbers; the catalogue gives each its texts and
// key-table slot, the router its handler.
//
// The ids below 34000 that no document fixes are ours and come from one
// range, 33127-33199: 33127/33128 (automatic refresh), 33140/33141 (filter
// switches), 33150-33159 (downloads), 33160-33199 (everything else of ours).

namespace fern {

enum CommandId : int {
    // File
    ID_STATE_SAVE_LIST = 32778,  // "現在の状態をリストに保存(&S)"
    ID_STATE_OPEN_LIST = 32779,  // "リストから読み込み(&R)"
    ID_NEW_TAB = 32820,
    ID_NEW_TAB_BLANK = 32821,
    ID_NEW_TAB_CLIPBOARD = 32822,
    ID_NEW_TAB_COPY = 32823,
    ID_NEW_TAB_HOME = 32824,
    ID_FILE_OPEN_URL = 32825,
    ID_PAGE_SHORTCUT = 32826,
    ID_OFFLINE = 32827,
    ID_RECENT_LAST = 32828,
    ID_STATE_RESTORE = 32829,
    ID_STATE_SAVE = 32830,
    ID_PAGE_SETUP = 32831,
    ID_PAGE_PROPERTIES = 32832,
    ID_PAGE_PRINT_PREVIEW = 32833,
    ID_RECENT_SAVE = 33060,
    ID_RECENT_OPEN_ALL = 33061,
    ID_AUTOSAVE_START = 33076,
    ID_FILE_SAVE_AS = 33117,  // the active page
    ID_FILE_PRINT = 57607,
    ID_APP_ABOUT = 57664,
    ID_APP_EXIT = 57665,

    // Edit
    ID_PAGE_OPEN_SELECTION = 32900,
    ID_PAGE_FIND = 32901,
    ID_PAGE_FIND_CLIPBOARD = 32902,
    ID_TAB_COPY_TITLE = 33111,
    ID_TAB_COPY_URL = 33112,

    // View
    ID_PAGE_COMMENTS = 32930,
    ID_PAGE_FOCUS = 32939,
    ID_PAGE_UP = 32941,
    ID_TEXT_LARGEST = 32950,
    ID_TEXT_SMALLEST = 32954,
    ID_PAGE_SOURCE = 32955,
    ID_PAGE_REFRESH_LATEST = 32956,
    ID_TEXT_LARGER = 33074,
    ID_TEXT_SMALLER = 33075,
    ID_TAB_FIRST = 33113,
    ID_TAB_LAST = 33114,

    // Tabs
    ID_TAB_NEXT = 33100,
    ID_TAB_PREV = 33101,
    ID_TAB_RESTORE_CLOSED = 33102,
    ID_TAB_CLOSE_READ = 33103,
    ID_TAB_CLOSE_ALL = 33104,
    ID_TAB_MANAGER = 33105,
    ID_TAB_CLOSE = 33106,
    ID_TAB_BACK = 33107,
    ID_TAB_FORWARD = 33108,
    ID_TAB_REFRESH_ALL = 33115,
    ID_TAB_REFRESH = 33116,
    ID_TAB_MOVE_RIGHT = 33118,
    ID_TAB_MOVE_LEFT = 33119,
    ID_TAB_STOP = 33120,
    ID_TAB_HOME = 33121,
    ID_TAB_CLOSE_OTHERS = 33122,
    ID_TAB_NAVIGATE_LOCK = 33125,
    ID_TAB_STOP_ALL = 33126,
    ID_TAB_AUTO_REFRESH_START = 33127,  // ours
    ID_TAB_AUTO_REFRESH_STOP = 33128,   // ours
    ID_TAB_SLEEP = 33168,               // ours

    // Tools: download control and offline work
    ID_DLC_IMAGES = 33020,
    ID_DLC_SOUNDS = 33021,
    ID_DLC_VIDEOS = 33022,
    ID_DLC_MEDIA_INVERT = 33023,
    ID_DLC_JAVA = 33030,
    ID_DLC_SCRIPTS = 33031,
    ID_DLC_ACTIVEX_RUN = 33032,
    ID_DLC_ACTIVEX_DOWNLOAD = 33033,
    ID_DLC_SECURITY_INVERT = 33034,
    ID_DLC_SECURITY_CHOSEN = 33035,  // the favourites template, for bookmarks
    ID_DLC_TEMPLATE_DEFAULT = 34298,
    ID_DLC_TEMPLATE_FAVORITES = 34299,
    ID_DLC_TEMPLATE_LOW = 34300,
    ID_DLC_TEMPLATE_MEDIUM = 34301,
    ID_DLC_TEMPLATE_HIGH = 34302,

    // Tools: privacy
    ID_COOKIE_FIRST_PARTY = 33050,
    ID_COOKIE_SESSION = 33051,
    ID_COOKIE_THIRD_PARTY = 33052,
    ID_COOKIE_INVERT = 33053,
    ID_COOKIE_DELETE = 33054,
    ID_INTERNET_OPTIONS = 33070,
    ID_KEY_SETTINGS = 33073,

    // Tools: filters, start-up list
    ID_FILTER_REGISTER_URL = 33109,
    ID_FILTER_REGISTER_TITLE = 33110,
    ID_STARTUP_ADD = 33123,
    ID_FILTER_SCRIPT_ERRORS = 33140,  // ours
    ID_FILTER_DIALOG_SWEEP = 33141,   // ours

    // Ours: the downloads window, the options dialog and the address bar's commands.
    ID_DOWNLOADS_WINDOW = 33150,
    ID_OPTIONS = 33160,
    ID_ADDRESS_FOCUS = 33161,
    ID_ADDRESS_DROP_DOWN = 33162,
    ID_ADDRESS_GO_BUTTON = 33163,
    ID_SESSION_REOPEN = 33164,
    ID_HISTORY_CLEAR_ALL = 33165,
    ID_HISTORY_CLEAR_TODAY = 33166,
    ID_HISTORY_CLEAR_SITE = 33167,

    // Bookmarks: the menu's fixed commands, the auto-save switch, the item
    // every bookmark carries; ours: the tab menu's add, the link bar.
    ID_BOOKMARK_ADD = 33000,
    ID_BOOKMARK_ADD_ALL = 33001,
    ID_AUTOSAVE_BOOKMARKS = 33077,
    ID_BOOKMARK_MENU_ITEM = 34000,
    ID_BOOKMARK_ADD_TAB = 33170,
    ID_LINK_BAR = 33171,
    // The bookmark panel's menu.
    ID_BKP_TOGGLE_OPEN = 33200,
    ID_BKP_COPY_URL = 33201,
    ID_BKP_COPY_TITLE = 33202,
    ID_BKP_OPEN_FOLDER = 33203,
    ID_BKP_OPEN_NEW_TAB = 33204,
    ID_BKP_OPEN = 33205,
    ID_BKP_COLLAPSE_ALL = 33207,
    ID_BKP_EXPAND_ALL = 33208,
    ID_BKP_EDIT = 33209,
    ID_BKP_DELETE = 33210,
    ID_BKP_NEW_FOLDER = 33211,
    ID_BKP_NEW_SEPARATOR = 33212,
    ID_BKP_NEW_BOOKMARK = 33213,
    ID_BKP_SAVE = 33214,
    ID_BKP_UNDO = 33215,
    ID_BKP_REDO = 33216,
    ID_BKP_CLEAR_HISTORY = 33217,
    ID_BKP_SAVE_AS = 33218,
    ID_BKP_CUT = 33219,
    ID_BKP_PASTE = 33220,
    ID_BKP_COPY = 33221,
    ID_BKP_IMPORT_NETSCAPE = 33222,
    ID_BKP_IMPORT_FAVORITES = 33223,
    ID_BKP_EXPORT_NETSCAPE = 33224,
    ID_BKP_EXPORT_FAVORITES = 33225,
    ID_BKP_IMPORT_HOTLIST = 33226,
    ID_BKP_IMPORT_HTML_LIST = 33227,
    ID_BKP_SORT_ASCENDING = 33228,
    ID_BKP_SORT_DESCENDING = 33229,
    ID_BKP_SORT_TITLE = 33230,
    ID_BKP_SORT_ADDRESS = 33231,
    ID_BKP_EMPTY_TRASH = 33232,
    ID_BKP_USE_TRASH = 33233,
    ID_BKP_INFO_TIPS = 33234,
    ID_BKP_SPLIT_SEARCH = 33235,
    ID_BKP_SPLIT_SIDE_BY_SIDE = 33236,
    ID_BKP_DOUBLE_CLICK = 33237,
    ID_BKP_SAVE_HTML = 33238,
    // Tools: URL extraction and proxy switching (33175-33189 are ours).
    ID_URL_EXTRACT = 33078,
    ID_PROXY_SETTINGS = 33175,
    ID_PROXY_DIRECT = 33176,
    ID_PROXY_SYSTEM = 33177,
    // Ours: bookmarks straight from other browsers' profiles; the list editor.
    ID_BOOKMARK_IMPORT_BROWSER = 33192,
    ID_LIST_EDITOR = 33193,
    ID_BKP_IMPORT_BROWSER = 33194,

    // The side bar: its switches (the tool bar's ids), the next, previous and
    // focus panel commands (the key table's unnamed ids beside them), and
    // the main window's two web searches (33178-33185 are ours).
    ID_SIDEBAR_NEXT_PANEL = 32931,
    ID_SIDEBAR_PREV_PANEL = 32932,
    ID_FERN_BAR = 32933,
    ID_SIDEBAR_FOCUS_PANEL = 32934,
    ID_HISTORY_BAR = 32935,
    ID_BOOKMARK_BAR = 32936,
    ID_HISTORY_SEARCH_BAR = 32937,
    ID_WEB_SEARCH_BAR = 32938,
    ID_WEB_SEARCH = 33178,
    ID_WEB_SEARCH_DIALOG = 33179,
    // The window: full screen, the task tray, the mailer.
    ID_FULL_SCREEN = 32943,
    ID_TASK_TRAY = 32948,
    ID_MAILER = 33072,
    // The tool bar's buttons of other features, its text-size drop-down, and
    // ours: the bars' View-menu switches, the tool bar's customise dialog,
    // the fixed bands (33129-33134).
    ID_TEXT_SIZE = 32949,
    ID_BOOKMARK_PANEL = 32958,
    ID_PROXY_TOOL_BUTTON = 33042,
    ID_VIEW_TOOL_BAR = 33129,
    ID_VIEW_ADDRESS_BAR = 33130,
    ID_VIEW_TAB_BAR = 33131,
    ID_VIEW_MENU_BAR = 33132,
    ID_TOOL_BAR_CUSTOMIZE = 33133,
    ID_BARS_FIXED = 33134,
    // The tool bar as a band of the bands, or docked to a side (33180-33185).
    ID_TOOL_BAR_BAND = 33180,
    ID_TOOL_BAR_DOCK_TOP = 33181,
    ID_TOOL_BAR_DOCK_LEFT = 33182,
    ID_TOOL_BAR_DOCK_RIGHT = 33183,
    ID_TOOL_BAR_DOCK_BOTTOM = 33184,

    // Ranges filled at run time.
    ID_RECENT_FIRST = 34267,  // recently closed entry i is ID_RECENT_FIRST + i
    ID_RECENT_RANGE_END = 34287,
    ID_BACK_LIST_FIRST = 34288,  // goes back (id - 34286) steps
    ID_BACK_LIST_LAST = 34292,
    ID_FORWARD_LIST_FIRST = 34293,  // goes forward (id - 34291) steps
    ID_FORWARD_LIST_LAST = 34297,
    ID_PROXY_ENTRY_FIRST = 34011,  // proxy.ini entry i is ID_PROXY_ENTRY_FIRST + i
    ID_PROXY_ENTRY_LAST = 34266,   // 256 entries, up to the recently closed range
};

}  // namespace fern
