#include "settings/SideBarSettings.h"

#include "settings/SettingsFields.h"

namespace fern {

namespace {

using Fb = FernBarSettings;
constexpr BitSwitch<Fb> kFBStyle[] = {
    {0x1, &Fb::tabsAtBottom}, {0x2, &Fb::focusPageOnOpen},   {0x4, &Fb::showTabTitles},
    {0x8, &Fb::infoTips},     {0x20, &Fb::focusPanelOnShow},
};
constexpr FieldBinding<Fb> kFernBar[] = {
    BitsField(Setting::FBStyle, &Fb::style, kFBStyle),
    IntField(Setting::FBIndex, &Fb::panelIndex),
    TextField(Setting::DefaultSize, &Fb::sizes),
    IntField(Setting::Visible, &Fb::visible),
};

using Hi = HistorySettings;
constexpr BitSwitch<Hi> kHistoryStyle[] = {
    {0x1, &Hi::openInNewTab},
    {0x2, &Hi::infoTips},
    {0x2000, &Hi::addDesktop},
    {0x4000, &Hi::addFavorites},
};
constexpr FieldBinding<Hi> kHistory[] = {
    BitsField(Setting::HistoryStyle, &Hi::style, kHistoryStyle),
    IntField(Setting::HistoryPageTexts, &Hi::pageTexts),
    IntField(Setting::HistoryPageLimit, &Hi::pageLimitKb),
    IntField(Setting::HistoryCacheLimit, &Hi::cacheLimitMb),
};

using Hs = HistorySearchSettings;
constexpr BitSwitch<Hs> kHSHStyle[] = {
    {0x1, &Hs::openInNewTab},  {0x2, &Hs::infoTips},       {0x4, &Hs::keepSearchStrings},
    {0x8, &Hs::caseSensitive}, {0x200, &Hs::useUrlFilter}, {0x400, &Hs::searchCache},
};
constexpr BitSwitch<Hs> kHSHSort[] = {{0x10000, &Hs::sortAscending}};
constexpr FieldBinding<Hs> kHistorySearch[] = {
    BitsField(Setting::HSHStyle, &Hs::style, kHSHStyle),   IntField(Setting::HSHCharCode, &Hs::charCode),
    TextField(Setting::HSHColumnWidth, &Hs::columnWidths), BitsField(Setting::HSHSort, &Hs::sort, kHSHSort),
    IntField(Setting::HSHFilterStyle, &Hs::filterStyle),   TextField(Setting::HSHFilter, &Hs::filter),
    TextField(Setting::HSHDateFmt, &Hs::dateFormat),
};

using Ws = WebSearchSettings;
constexpr BitSwitch<Ws> kWSHStyle[] = {{0x1, &Ws::useSearchIni}, {0x4, &Ws::keepSearchStrings}};
constexpr FieldBinding<Ws> kWebSearch[] = {
    BitsField(Setting::WSHStyle, &Ws::style, kWSHStyle),
    IntField(Setting::WSHColumnWidth, &Ws::columnWidth),
};

}  // namespace

void FernBarSettings::Load(const SettingsStore& store) { LoadFields(store, *this, kFernBar); }
bool FernBarSettings::Save(SettingsStore& store) { return SaveFields(store, *this, kFernBar); }

void HistorySettings::Load(const SettingsStore& store) { LoadFields(store, *this, kHistory); }
bool HistorySettings::Save(SettingsStore& store) { return SaveFields(store, *this, kHistory); }

void HistorySearchSettings::Load(const SettingsStore& store) { LoadFields(store, *this, kHistorySearch); }
bool HistorySearchSettings::Save(SettingsStore& store) { return SaveFields(store, *this, kHistorySearch); }

void WebSearchSettings::Load(const SettingsStore& store) { LoadFields(store, *this, kWebSearch); }
bool WebSearchSettings::Save(SettingsStore& store) { return SaveFields(store, *this, kWebSearch); }

}  // namespace fern
