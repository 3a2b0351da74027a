#pragma once
// The settings of section Bookmark that the tree, its menu and its tool tips
// follow, as plain values.
#include <cstdint>
#include <string>

namespace fern {

struct BookmarkSettings;

// Bits of BKStyle.
inline constexpr int kBkOpenInNewTab = 0x1;
inline constexpr int kBkFocusPage = 0x2;
inline constexpr int kBkAutoSave = 0x4;
inline constexpr int kBkSaveHtmlToo = 0x8;
inline constexpr int kBkLimitMenuText = 0x10;
inline constexpr int kBkMenuAddHere = 0x20;
inline constexpr int kBkMenuOpenFolder = 0x40;

// Bits of BKBarInfotipStyle.
inline constexpr int kTipName = 0x1;
inline constexpr int kTipUrl = 0x2;
inline constexpr int kTipMemo = 0x4;
inline constexpr int kTipCreated = 0x8;

// Bits of LBStyle that add the optional items to the link bar's folder menus.
inline constexpr int kLbMenuAddHere = 0x100000;
inline constexpr int kLbMenuOpenFolder = 0x200000;

inline constexpr const char* kBookmarkRootName = "Fern Browser BookMark";
inline constexpr const char* kDefaultBookmarkDateFormat = "yy/MM/dd ddd HH:mm:ss";

struct BookmarkOptions {
    int style = 114;                                      // BKStyle
    int menuTextLimit = 20;                               // BKMenuTextLimit
    std::uint32_t defaultAddStyle = 1;                    // BKDefaultAddStyle
    std::string dateFormat = kDefaultBookmarkDateFormat;  // BKDateFmt
    int infotipStyle = 15;                                // BKBarInfotipStyle

    static BookmarkOptions FromSettings(const BookmarkSettings& settings);
};

}  // namespace fern
