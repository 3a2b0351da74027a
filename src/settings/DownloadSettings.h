#pragma once
// Section `Download` of fern.ini: bit 0x1 of `DLStyle` opens the downloads
// window when a download starts (on by default).
#include "settings/SettingsStore.h"

namespace fern {

struct DownloadSettings {
    int style = 1;                  // DLStyle; unknown bits are kept as loaded
    bool openWindowOnStart = true;  // "ダウンロード開始時にこのウィンドウを開く(&W)"

    void Load(const SettingsStore& store);
    bool Save(SettingsStore& store);
};

}  // namespace fern
