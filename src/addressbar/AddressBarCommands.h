#pragma once
// Settings changes the address bar's commands make.
namespace fern {

class CSettingsService;

// "移動ボタン": shows or hides the go button; false when it was not saved.
bool ToggleGoButton(CSettingsService& settings);

}  // namespace fern
