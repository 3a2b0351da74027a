#include "settings/ChromeSettings.h"

#include "settings/SettingsFields.h"

namespace fern {

namespace {

using Lb = LinkBarSettings;
constexpr BitSwitch<Lb> kLBStyle[] = {
    {0x2, &Lb::openInNewTab},     {0x4, &Lb::showIcons},           {0x8, &Lb::fixedWidth},
    {0x100000, &Lb::menuAddHere}, {0x200000, &Lb::menuOpenFolder}, {0x1, &Lb::hidden},
};
constexpr FieldBinding<Lb> kLinkBar[] = {
    BitsField(Setting::LBStyle, &Lb::style, kLBStyle),
    IntField(Setting::LBFixBtnSize, &Lb::fixedSize),
};

constexpr FieldBinding<StatusBarSettings> kStatusBar[] = {
    IntField(Setting::SBDLCStyle, &StatusBarSettings::downloadControlStrip)};

constexpr FieldBinding<ReBarSettings> kReBar[] = {
    IntField(Setting::RBBandCount, &ReBarSettings::bandCount),
    TextField(Setting::RBBandStyle, &ReBarSettings::bandStyle),
};

using Tb = FernBarsSettings;
constexpr FieldBinding<Tb> kFernBars[] = {
    IntField(Setting::TBStyle, &Tb::toolbarStyle),
    TextField(Setting::TBBtnCount, &Tb::buttons),
    TextField(Setting::TBBtnStyle, &Tb::buttonStyle),
};

}  // namespace

void LinkBarSettings::Load(const SettingsStore& store) { LoadFields(store, *this, kLinkBar); }
bool LinkBarSettings::Save(SettingsStore& store) { return SaveFields(store, *this, kLinkBar); }

void StatusBarSettings::Load(const SettingsStore& store) { LoadFields(store, *this, kStatusBar); }
bool StatusBarSettings::Save(SettingsStore& store) { return SaveFields(store, *this, kStatusBar); }

void ReBarSettings::Load(const SettingsStore& store) { LoadFields(store, *this, kReBar); }
bool ReBarSettings::Save(SettingsStore& store) { return SaveFields(store, *this, kReBar); }

void FernBarsSettings::Load(const SettingsStore& store) { LoadFields(store, *this, kFernBars); }
bool FernBarsSettings::Save(SettingsStore& store) { return SaveFields(store, *this, kFernBars); }

}  // namespace fern
