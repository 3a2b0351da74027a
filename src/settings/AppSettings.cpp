#include "settings/AppSettings.h"

#include "settings/SettingsFields.h"

namespace fern {

namespace {

using Su = StartupSettings;
constexpr BitSwitch<Su> kSUStyle[] = {
    {0x1, &Su::saveStateAtExit},        {0x2, &Su::restoreStateAtStart}, {0x4, &Su::dedupeOnRestore},
    {0x8, &Su::noRestoreWithArguments}, {0x10, &Su::openStartupUrls},    {0x20, &Su::dedupeStartupAgainstLog},
};
constexpr FieldBinding<Su> kStartup[] = {BitsField(Setting::SUStyle, &Su::style, kSUStyle)};

using As = AutoSaveSettings;
constexpr BitSwitch<As> kASStyle[] = {{0x1, &As::enabled}};
constexpr FieldBinding<As> kAutoSave[] = {
    BitsField(Setting::ASStyle, &As::style, kASStyle),
    IntField(Setting::ASInterval, &As::intervalMinutes),
};

constexpr FieldBinding<OptionDlgSettings> kOptionDlg[] = {
    IntField(Setting::ODIndex, &OptionDlgSettings::pageIndex)};

}  // namespace

void StartupSettings::Load(const SettingsStore& store) { LoadFields(store, *this, kStartup); }
bool StartupSettings::Save(SettingsStore& store) { return SaveFields(store, *this, kStartup); }

void AutoSaveSettings::Load(const SettingsStore& store) { LoadFields(store, *this, kAutoSave); }
bool AutoSaveSettings::Save(SettingsStore& store) { return SaveFields(store, *this, kAutoSave); }

void OptionDlgSettings::Load(const SettingsStore& store) { LoadFields(store, *this, kOptionDlg); }
bool OptionDlgSettings::Save(SettingsStore& store) { return SaveFields(store, *this, kOptionDlg); }

}  // namespace fern
