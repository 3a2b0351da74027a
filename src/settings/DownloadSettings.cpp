#include "settings/DownloadSettings.h"

#include "settings/SettingsFields.h"

namespace fern {

namespace {
using Dl = DownloadSettings;
constexpr BitSwitch<Dl> kDLStyle[] = {{0x1, &Dl::openWindowOnStart}};
constexpr FieldBinding<Dl> kDownload[] = {BitsField(Setting::DLStyle, &Dl::style, kDLStyle)};
}  // namespace

void DownloadSettings::Load(const SettingsStore& store) { LoadFields(store, *this, kDownload); }

bool DownloadSettings::Save(SettingsStore& store) { return SaveFields(store, *this, kDownload); }

}  // namespace fern
