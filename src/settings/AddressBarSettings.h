#pragma once
// Settings sections of the address bar and the open dialog: AddressBar and
// FileDlg.
#include <string>

#include "settings/SettingsStore.h"

namespace fern {

struct AddressBarSettings {
    int style = 0;               // ABStyle; bit 0x2 is reserved and kept as loaded
    bool showLabel = false;      // the label "アドレス(&D)"
    bool autoComplete = false;   // "オートコンプリート(IE5.0以上) [再起動] (&A)"
    bool goButton = false;       // "移動ボタン(&V)"
    bool goButtonText = false;   // the go button shows its text
    bool paintComboBox = false;  // the bar paints its inner combo box
    int urlLimit = 0;
    std::string goButtonLabel;
    std::string addUrlFront;  // put before the text by Ctrl+Enter
    std::string addUrlBack;   // put after it

    void Load(const SettingsStore& store);
    bool Save(SettingsStore& store);
};

struct FileDlgSettings {
    int style = 0;              // FDStyle
    bool openInNewTab = false;  // the open dialog's "新規タブで開く(&N)"
    bool autoComplete = false;  // "開くダイアログのオートコンプリート(IE5.0以上) [再起動] (&O)"
    bool rememberFolders = false;  // keep FDOpenPath and FDSavePath
    std::string openPath;
    std::string savePath;

    void Load(const SettingsStore& store);
    bool Save(SettingsStore& store);
};

}  // namespace fern
