#include "settings/AddressBarSettings.h"

#include "settings/SettingsFields.h"

namespace fern {

namespace {

using Ab = AddressBarSettings;
constexpr BitSwitch<Ab> kABStyle[] = {
    {0x1, &Ab::showLabel},     {0x4, &Ab::autoComplete},   {0x8, &Ab::goButton},
    {0x10, &Ab::goButtonText}, {0x20, &Ab::paintComboBox},
};
constexpr FieldBinding<Ab> kAddressBar[] = {
    BitsField(Setting::ABStyle, &Ab::style, kABStyle),   IntField(Setting::ABUrlLimit, &Ab::urlLimit),
    TextField(Setting::ABGoBtnText, &Ab::goButtonLabel), TextField(Setting::ABAddUrlF, &Ab::addUrlFront),
    TextField(Setting::ABAddUrlB, &Ab::addUrlBack),
};

using Fd = FileDlgSettings;
constexpr BitSwitch<Fd> kFDStyle[] = {
    {0x1, &Fd::openInNewTab}, {0x2, &Fd::autoComplete}, {0x4, &Fd::rememberFolders}};
constexpr FieldBinding<Fd> kFileDlg[] = {
    BitsField(Setting::FDStyle, &Fd::style, kFDStyle),
    TextField(Setting::FDOpenPath, &Fd::openPath),
    TextField(Setting::FDSavePath, &Fd::savePath),
};

}  // namespace

void AddressBarSettings::Load(const SettingsStore& store) { LoadFields(store, *this, kAddressBar); }
bool AddressBarSettings::Save(SettingsStore& store) { return SaveFields(store, *this, kAddressBar); }

void FileDlgSettings::Load(const SettingsStore& store) { LoadFields(store, *this, kFileDlg); }
bool FileDlgSettings::Save(SettingsStore& store) { return SaveFields(store, *this, kFileDlg); }

}  // namespace fern
