#include "settings/BrowserSettings.h"

#include "settings/SettingsFields.h"

namespace fern {

namespace {

using Bo = BrowserSettings;
constexpr BitSwitch<Bo> kBOStyle[] = {
    {0x1, &Bo::customHostSite},
    {0x2, &Bo::showScriptErrors},
    {0x4, &Bo::resolveTargetNames},
    {0x8, &Bo::silent},
    {0x10, &Bo::eraseBackgroundWhileBusy},
    {0x20, &Bo::loadHelperObjects},
    {0x40, &Bo::inheritParentSecurity},
    {0x80, &Bo::useHomePageUrl},
    {0x100, &Bo::focusPage},
    {0x200, &Bo::reloadAfterFlagChange},
    {0x400, &Bo::dialogSweep},
};
constexpr FieldBinding<Bo> kBrowser[] = {
    BitsField(Setting::BOStyle, &Bo::style, kBOStyle),
    IntField(Setting::BODLCDefault, &Bo::downloadControl),
    IntField(Setting::BODLCDefault1, &Bo::securityTemplate1),
    IntField(Setting::BODLCDefault2, &Bo::securityTemplate2),
    IntField(Setting::BODLCDefault3, &Bo::securityTemplate3),
    IntField(Setting::BODLCDefault4, &Bo::securityTemplate4),
    IntField(Setting::BOHostUIFlags, &Bo::hostUiFlags),
    IntField(Setting::BOHostUIDblClk, &Bo::hostUiDoubleClick),
    TextField(Setting::BOHomePageUrl, &Bo::homePageUrl),
    IntField(Setting::BOCookie, &Bo::cookie),
    IntField(Setting::BOInetCpl, &Bo::inetCpl),
    TextField(Setting::BOUserAgent, &Bo::userAgent),
    TextField(Setting::BODDESrvName, &Bo::ddeServerName),
};

using Co = CloseUrlSettings;
constexpr BitSwitch<Co> kCOUStyle[] = {
    {0x1, &Co::closeUrlFilter}, {0x2, &Co::newTabsOnly}, {0x4, &Co::closeOnRegister}};
constexpr BitSwitch<Co> kCOTStyle[] = {{0x1, &Co::closeTitleFilter}};
constexpr FieldBinding<Co> kCloseUrl[] = {
    BitsField(Setting::COUStyle, &Co::urlStyle, kCOUStyle),
    BitsField(Setting::COTStyle, &Co::titleStyle, kCOTStyle),
    IntField(Setting::COCount, &Co::count),
};

// A missing KMDItemStyle reads as its default, -1, which ends the list.
constexpr int kEndOfItems = -1;

}  // namespace

void BrowserSettings::Load(const SettingsStore& store) { LoadFields(store, *this, kBrowser); }
bool BrowserSettings::Save(SettingsStore& store) { return SaveFields(store, *this, kBrowser); }

void CloseUrlSettings::Load(const SettingsStore& store) { LoadFields(store, *this, kCloseUrl); }
bool CloseUrlSettings::Save(SettingsStore& store) { return SaveFields(store, *this, kCloseUrl); }

KillMsgDlgItem KillMsgDlgSettings::DefaultItem() {
    return {1, "ActiveX", "Microsoft Internet Explorer", "ActiveX,実行"};
}

void KillMsgDlgSettings::Load(const SettingsStore& store) {
    items.clear();
    for (int n = 0; n < kMaxItems; ++n) {
        int style = store.ReadInt(Setting::KMDItemStyle, n);
        if (style == kEndOfItems) break;
        items.push_back({style, store.ReadString(Setting::KMDItemName, n),
                         store.ReadString(Setting::KMDItemCaption, n),
                         store.ReadString(Setting::KMDItemText, n)});
    }
    if (items.empty()) items.push_back(DefaultItem());
}

bool KillMsgDlgSettings::Save(SettingsStore& store) {
    if (items.size() > static_cast<std::size_t>(kMaxItems)) items.resize(kMaxItems);
    bool ok = true;
    int n = 0;
    for (const KillMsgDlgItem& item : items) {
        // A stored -1 would end the list early on reading; any other value
        // than 0 means on.
        int style = item.style == kEndOfItems ? 1 : item.style;
        ok = store.WriteInt(Setting::KMDItemStyle, style, n) && ok;
        ok = store.WriteString(Setting::KMDItemName, item.name, n) && ok;
        ok = store.WriteString(Setting::KMDItemCaption, item.caption, n) && ok;
        ok = store.WriteString(Setting::KMDItemText, item.text, n) && ok;
        ++n;
    }
    for (; n < kMaxItems; ++n) {
        ok = store.DeleteKey(Setting::KMDItemStyle, n) && ok;
        ok = store.DeleteKey(Setting::KMDItemName, n) && ok;
        ok = store.DeleteKey(Setting::KMDItemCaption, n) && ok;
        ok = store.DeleteKey(Setting::KMDItemText, n) && ok;
    }
    if (!ok) store.LogSaveFailure(Setting::KMDItemStyle);
    return ok;
}

}  // namespace fern
