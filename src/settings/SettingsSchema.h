#pragma once
// Every settings key of the profile (fern.ini) and of wnds.ini, described once:
// file, section, key, value type, default and the subsystem that gives the
// value its meaning. The typed accessors of SettingsStore and the load/save
// of each feature section work from this table.
#include <cstddef>
#include <span>
#include <string>

namespace fern {

enum class SettingsFile { Profile, Windows };  // fern.ini, wnds.ini

enum class SettingType {
    Integer,     // signed decimal; bit words and 0x00BBGGRR colours too
    String,      // Shift-JIS text, no quotes
    PackedPair,  // low 16 bits width, high 16 bits height
    Structured,  // a text with a fixed number layout (placement, column widths, bands)
};

// An indexed key is a family: the index is appended with "%d"
// (KMDItemStyle0, KMDItemStyle1, ...).
enum class KeyForm { Plain, Indexed };

// The button colours default to black text on a light grey face: readable
// on the light themes most desktops use.
inline constexpr int kButtonTextColour = 0x000000;
inline constexpr int kButtonFaceColour = 0xF0F0F0;

// clang-format off
// X(key, file, section, type, integer default, text default, read buffer (0 = any length), form, owner)
#define FERN_SETTINGS_SCHEMA(X) \
    X(BOStyle,           Profile, "Browser",        Integer,    0x355,    "",                      0,   Plain,   "page") \
    X(BODLCDefault,      Profile, "Browser",        Integer,    0x70,     "",                      0,   Plain,   "page") \
    X(BODLCDefault1,     Profile, "Browser",        Integer,    0x70,     "",                      0,   Plain,   "page") \
    X(BODLCDefault2,     Profile, "Browser",        Integer,    0x70,     "",                      0,   Plain,   "page") \
    X(BODLCDefault3,     Profile, "Browser",        Integer,    0x70,     "",                      0,   Plain,   "page") \
    X(BODLCDefault4,     Profile, "Browser",        Integer,    0x70,     "",                      0,   Plain,   "page") \
    X(BOHostUIFlags,     Profile, "Browser",        Integer,    0x4000,   "",                      0,   Plain,   "page") \
    X(BOHostUIDblClk,    Profile, "Browser",        Integer,    0,        "",                      0,   Plain,   "page") \
    X(BOHomePageUrl,     Profile, "Browser",        String,     0,        "about:blank",           0,   Plain,   "page") \
    X(BOCookie,          Profile, "Browser",        Integer,    2,        "",                      0,   Plain,   "page") \
    X(BOInetCpl,         Profile, "Browser",        Integer,    0,        "",                      0,   Plain,   "page") \
    X(BOUserAgent,       Profile, "Browser",        String,     0,        "",                      0,   Plain,   "page") \
    X(BODDESrvName,      Profile, "Browser",        String,     0,        "FBROWSER",              0,   Plain,   "tools") \
    X(TabStyle,          Profile, "TabBar",         Integer,    0x240,    "",                      0,   Plain,   "frame") \
    X(TabExStyle,        Profile, "TabBar",         Integer,    1,        "",                      0,   Plain,   "frame") \
    X(TabCreateNew,      Profile, "TabBar",         Integer,    0,        "",                      0,   Plain,   "frame") \
    X(TabCreateLimit,    Profile, "TabBar",         Integer,    20,       "",                      0,   Plain,   "frame") \
    X(TabInsertPosition, Profile, "TabBar",         Integer,    0,        "",                      0,   Plain,   "frame") \
    X(TabNextActive,     Profile, "TabBar",         Integer,    0,        "",                      0,   Plain,   "frame") \
    X(TabBtnTextLimit,   Profile, "TabBar",         Integer,    32,       "",                      0,   Plain,   "frame") \
    X(TabFixBtnSize,     Profile, "TabBar",         PackedPair, 100,      "",                      0,   Plain,   "frame") \
    X(TabBtnWClick,      Profile, "TabBar",         Integer,    1,        "",                      0,   Plain,   "frame") \
    X(TabBtnRClick,      Profile, "TabBar",         Integer,    0,        "",                      0,   Plain,   "frame") \
    X(TabBtnLDblClick,   Profile, "TabBar",         Integer,    2,        "",                      0,   Plain,   "frame") \
    X(TabBtnSelClr,      Profile, "TabBar",         Integer,    kButtonTextColour, "",             0,   Plain,   "frame") \
    X(TabBtnUnSelClr,    Profile, "TabBar",         Integer,    kButtonTextColour, "",             0,   Plain,   "frame") \
    X(TabBtnSelBkgClr,   Profile, "TabBar",         Integer,    kButtonFaceColour, "",             0,   Plain,   "frame") \
    X(TabBtnUnSelBkgClr, Profile, "TabBar",         Integer,    kButtonFaceColour, "",             0,   Plain,   "frame") \
    X(TabBtnStyle,       Profile, "TabBar",         Integer,    0,        "",                      0,   Plain,   "frame") \
    X(TabSleepMinutes,   Profile, "TabBar",         Integer,    30,       "",                      0,   Plain,   "frame") \
    X(TabSleepMemoryMB,  Profile, "TabBar",         Integer,    0,        "",                      0,   Plain,   "frame") \
    X(ABStyle,           Profile, "AddressBar",     Integer,    10,       "",                      0,   Plain,   "addressbar") \
    X(ABUrlLimit,        Profile, "AddressBar",     Integer,    128,      "",                      0,   Plain,   "addressbar") \
    X(ABGoBtnText,       Profile, "AddressBar",     String,     0,        "移動",                  0,   Plain,   "addressbar") \
    X(ABAddUrlF,         Profile, "AddressBar",     String,     0,        "http://www.",           0,   Plain,   "addressbar") \
    X(ABAddUrlB,         Profile, "AddressBar",     String,     0,        ".co.jp",                0,   Plain,   "addressbar") \
    X(BKStyle,           Profile, "Bookmark",       Integer,    0x72,     "",                      0,   Plain,   "bookmarks") \
    X(BKMenuTextLimit,   Profile, "Bookmark",       Integer,    20,       "",                      0,   Plain,   "bookmarks") \
    X(BKDefaultAddStyle, Profile, "Bookmark",       Integer,    1,        "",                      0,   Plain,   "bookmarks") \
    X(BKBookmarkPath,    Profile, "Bookmark",       String,     0,        "",                      0,   Plain,   "app") \
    X(BKDateFmt,         Profile, "Bookmark",       String,     0,        "yy/MM/dd ddd HH:mm:ss", 0,   Plain,   "bookmarks") \
    X(BKBarStyle,        Profile, "Bookmark",       Integer,    6,        "",                      0,   Plain,   "bookmarks") \
    X(BKBarInfotipStyle, Profile, "Bookmark",       Integer,    15,       "",                      0,   Plain,   "bookmarks") \
    X(BKBarSplitStyle,   Profile, "Bookmark",       Integer,    1,        "",                      0,   Plain,   "bookmarks") \
    X(BKBarSplitPos,     Profile, "Bookmark",       Integer,    0,        "",                      0,   Plain,   "bookmarks") \
    X(FBStyle,           Profile, "FernBar",        Integer,    0x3E,     "",                      0,   Plain,   "sidebar") \
    X(FBIndex,           Profile, "FernBar",        Integer,    0,        "",                      0,   Plain,   "sidebar") \
    X(DefaultSize,       Windows, "CtrlBar-ID32933", Structured, 0,       "",                      42,  Plain,   "sidebar") \
    X(Visible,           Windows, "CtrlBar-ID32933", Integer,    0,       "",                      0,   Plain,   "sidebar") \
    X(LBStyle,           Profile, "LinkBar",        Integer,    0x300004, "",                      0,   Plain,   "chrome") \
    X(LBFixBtnSize,      Profile, "LinkBar",        PackedPair, 100,      "",                      0,   Plain,   "chrome") \
    X(MLStyle,           Profile, "Mail",           Integer,    0,        "",                      0,   Plain,   "frame") \
    X(MLMailerPath,      Profile, "Mail",           String,     0,        "",                      0,   Plain,   "frame") \
    X(TTStyle,           Profile, "TaskTray",       Integer,    0,        "",                      0,   Plain,   "frame") \
    X(TTIconPath,        Profile, "TaskTray",       String,     0,        "",                      0,   Plain,   "frame") \
    X(TTIconIndex,       Profile, "TaskTray",       Integer,    0,        "",                      0,   Plain,   "frame") \
    X(TTInfoTip,         Profile, "TaskTray",       String,     0,        "unknown",               0,   Plain,   "frame") \
    X(TTHotKey,          Profile, "TaskTray",       Integer,    0,        "",                      0,   Plain,   "frame") \
    X(COUStyle,          Profile, "CloseUrl",       Integer,    0,        "",                      0,   Plain,   "page") \
    X(COTStyle,          Profile, "CloseUrl",       Integer,    0,        "",                      0,   Plain,   "page") \
    X(COCount,           Profile, "CloseUrl",       Integer,    0,        "",                      0,   Plain,   "page") \
    X(KMDItemStyle,      Profile, "KillMsgDlg",     Integer,    -1,       "",                      0,   Indexed, "page") \
    X(KMDItemName,       Profile, "KillMsgDlg",     String,     0,        "",                      0,   Indexed, "page") \
    X(KMDItemCaption,    Profile, "KillMsgDlg",     String,     0,        "",                      0,   Indexed, "page") \
    X(KMDItemText,       Profile, "KillMsgDlg",     String,     0,        "",                      0,   Indexed, "page") \
    X(RCUStyle,          Profile, "RecentCloseUrl", Integer,    7,        "",                      0,   Plain,   "frame") \
    X(ASStyle,           Profile, "AutoSave",       Integer,    0,        "",                      0,   Plain,   "app") \
    X(ASInterval,        Profile, "AutoSave",       Integer,    1,        "",                      0,   Plain,   "app") \
    X(SUStyle,           Profile, "Startup",        Integer,    0,        "",                      0,   Plain,   "app") \
    X(SBDLCStyle,        Profile, "StatusBar",      Integer,    1,        "",                      0,   Plain,   "chrome") \
    X(FDStyle,           Profile, "FileDlg",        Integer,    4,        "",                      0,   Plain,   "addressbar") \
    X(FDOpenPath,        Profile, "FileDlg",        String,     0,        "",                      0,   Plain,   "frame") \
    X(FDSavePath,        Profile, "FileDlg",        String,     0,        "",                      0,   Plain,   "frame") \
    X(DLStyle,           Profile, "Download",       Integer,    1,        "",                      0,   Plain,   "downloads") \
    X(ODIndex,           Profile, "OptionDlg",      Integer,    0,        "",                      0,   Plain,   "options") \
    X(ProxyIndex,        Profile, "Proxy",          Integer,    -1,       "",                      0,   Plain,   "tools") \
    X(ProxyConnect,      Profile, "Proxy",          Integer,    1,        "",                      0,   Plain,   "tools") \
    X(HistoryStyle,      Profile, "History",        Integer,    2,        "",                      0,   Plain,   "sidebar") \
    X(HistoryPageTexts,  Profile, "History",        Integer,    1,        "",                      0,   Plain,   "history") \
    X(HistoryPageLimit,  Profile, "History",        Integer,    2048,     "",                      0,   Plain,   "history") \
    X(HistoryCacheLimit, Profile, "History",        Integer,    256,      "",                      0,   Plain,   "history") \
    X(HSHStyle,          Profile, "HistorySearch",  Integer,    6,        "",                      0,   Plain,   "sidebar") \
    X(HSHCharCode,       Profile, "HistorySearch",  Integer,    -1,       "",                      0,   Plain,   "sidebar") \
    X(HSHColumnWidth,    Profile, "HistorySearch",  Structured, 0,        "200,300,140",           0,   Plain,   "sidebar") \
    X(HSHSort,           Profile, "HistorySearch",  Integer,    0x10002,  "",                      0,   Plain,   "sidebar") \
    X(HSHFilterStyle,    Profile, "HistorySearch",  Integer,    1,        "",                      0,   Plain,   "sidebar") \
    X(HSHFilter,         Profile, "HistorySearch",  String,     0,        "http://",               0,   Plain,   "sidebar") \
    X(HSHDateFmt,        Profile, "HistorySearch",  String,     0,        "yy/MM/dd ddd HH:mm:ss", 0,   Plain,   "sidebar") \
    X(WSHStyle,          Profile, "WebSearch",      Integer,    5,        "",                      0,   Plain,   "sidebar") \
    X(WSHColumnWidth,    Profile, "WebSearch",      Integer,    -1,       "",                      0,   Plain,   "sidebar") \
    X(UEStyle,           Profile, "UrlExtract",     Integer,    0,        "",                      0,   Plain,   "tools") \
    X(UEFilterIndex,     Profile, "UrlExtract",     Integer,    0,        "",                      0,   Plain,   "tools") \
    X(UEFolder,          Profile, "UrlExtract",     String,     0,        "",                      0,   Plain,   "tools") \
    X(UEFilterCount,     Profile, "UEFilter",       Integer,    0,        "",                      0,   Plain,   "tools") \
    X(UEFilter,          Profile, "UEFilter",       String,     0,        "",                      0,   Indexed, "tools") \
    X(MFWndPlac,         Windows, "MainFrame",      Structured, 0,        "",                      0,   Plain,   "frame") \
    X(MFFullScrState,    Windows, "MainFrame",      Integer,    0,        "",                      0,   Plain,   "frame") \
    X(RBBandCount,       Windows, "ReBar",          Integer,    0,        "",                      0,   Plain,   "chrome") \
    X(RBBandStyle,       Windows, "ReBar",          Structured, 0,        "",                      0,   Plain,   "chrome") \
    X(TBStyle,           Windows, "FernBars",       Integer,    1,        "",                      0,   Plain,   "chrome") \
    X(TBBtnCount,        Windows, "FernBars",       Structured, 0,        "",                      512, Plain,   "chrome") \
    X(TBBtnStyle,        Windows, "FernBars",       Structured, 0,        "",                      512, Plain,   "chrome") \
    X(LEDWndPlac,        Windows, "ListEditDlg",    Structured, 0,        "",                      0,   Plain,   "bookmarks")
// clang-format on

enum class Setting : int {
#define FERN_SETTING_ENUM(key, ...) key,
    FERN_SETTINGS_SCHEMA(FERN_SETTING_ENUM)
#undef FERN_SETTING_ENUM
};

struct SettingEntry {
    Setting id;
    SettingsFile file;
    const char* section;
    const char* key;  // for an indexed family, the name before the index
    SettingType type;
    int integerDefault;
    const char* textDefault;
    std::size_t readBuffer;  // a string read is cut to readBuffer-1 bytes; 0 = no limit
    KeyForm form;
    const char* owner;  // the subsystem folder that gives the value its meaning
};

std::span<const SettingEntry> AllSettings();
const SettingEntry& EntryOf(Setting id);

// The key text: the name, or for an indexed family the name and the index.
std::string KeyName(const SettingEntry& entry, int index = 0);

}  // namespace fern
