#include "bookmarks/BookmarkOptions.h"

#include "settings/BookmarkSettings.h"

namespace fern {

namespace {

int SetBit(int word, int bit, bool on) { return on ? (word | bit) : (word & ~bit); }

}  // namespace

BookmarkOptions BookmarkOptions::FromSettings(const BookmarkSettings& s) {
    // The switches are what the options page and the menus change; the word
    // keeps any other bits as loaded.
    BookmarkOptions options;
    int style = s.style;
    style = SetBit(style, kBkOpenInNewTab, s.openInNewTab);
    style = SetBit(style, kBkFocusPage, s.focusPage);
    style = SetBit(style, kBkAutoSave, s.autoSave);
    style = SetBit(style, kBkSaveHtmlToo, s.saveHtmlToo);
    style = SetBit(style, kBkLimitMenuText, s.limitMenuText);
    style = SetBit(style, kBkMenuAddHere, s.menuAddHere);
    style = SetBit(style, kBkMenuOpenFolder, s.menuOpenFolder);
    options.style = style;
    options.menuTextLimit = s.menuTextLimit;
    options.defaultAddStyle = static_cast<std::uint32_t>(s.defaultAddStyle);
    options.dateFormat = s.dateFormat;
    int tip = s.infotipStyle;
    tip = SetBit(tip, kTipName, s.tipName);
    tip = SetBit(tip, kTipUrl, s.tipUrl);
    tip = SetBit(tip, kTipMemo, s.tipMemo);
    tip = SetBit(tip, kTipCreated, s.tipCreated);
    options.infotipStyle = tip;
    return options;
}

}  // namespace fern
