#include "settings/BookmarkSettings.h"

#include "settings/SettingsFields.h"

namespace fern {

namespace {

using Bk = BookmarkSettings;
constexpr BitSwitch<Bk> kBKStyle[] = {
    {0x1, &Bk::openInNewTab},    {0x2, &Bk::focusPage},      {0x4, &Bk::autoSave},
    {0x8, &Bk::saveHtmlToo},     {0x10, &Bk::limitMenuText}, {0x20, &Bk::menuAddHere},
    {0x40, &Bk::menuOpenFolder},
};
constexpr BitSwitch<Bk> kBKBarStyle[] = {
    {0x1, &Bk::barOpenInNewTab},
    {0x2, &Bk::barInfoTips},
    {0x4, &Bk::barUseTrash},
    {0x10, &Bk::barDoubleClick},
};
constexpr BitSwitch<Bk> kBKBarInfotipStyle[] = {
    {0x1, &Bk::tipName}, {0x2, &Bk::tipUrl}, {0x4, &Bk::tipMemo}, {0x8, &Bk::tipCreated}};
constexpr BitSwitch<Bk> kBKBarSplitStyle[] = {{0x1, &Bk::splitSearch}, {0x2, &Bk::splitSideBySide}};
constexpr FieldBinding<Bk> kBookmark[] = {
    BitsField(Setting::BKStyle, &Bk::style, kBKStyle),
    IntField(Setting::BKMenuTextLimit, &Bk::menuTextLimit),
    IntField(Setting::BKDefaultAddStyle, &Bk::defaultAddStyle),
    TextField(Setting::BKBookmarkPath, &Bk::bookmarkPath),
    TextField(Setting::BKDateFmt, &Bk::dateFormat),
    BitsField(Setting::BKBarStyle, &Bk::barStyle, kBKBarStyle),
    BitsField(Setting::BKBarInfotipStyle, &Bk::infotipStyle, kBKBarInfotipStyle),
    BitsField(Setting::BKBarSplitStyle, &Bk::splitStyle, kBKBarSplitStyle),
    IntField(Setting::BKBarSplitPos, &Bk::splitPos),
};

constexpr FieldBinding<ListEditDlgSettings> kListEditDlg[] = {
    TextField(Setting::LEDWndPlac, &ListEditDlgSettings::placement)};

}  // namespace

void BookmarkSettings::Load(const SettingsStore& store) { LoadFields(store, *this, kBookmark); }
bool BookmarkSettings::Save(SettingsStore& store) { return SaveFields(store, *this, kBookmark); }

void ListEditDlgSettings::Load(const SettingsStore& store) { LoadFields(store, *this, kListEditDlg); }
bool ListEditDlgSettings::Save(SettingsStore& store) { return SaveFields(store, *this, kListEditDlg); }

}  // namespace fern
