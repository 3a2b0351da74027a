#include "addressbar/AddressBarCommands.h"

#include "settings/SettingsService.h"

namespace fern {

bool ToggleGoButton(CSettingsService& settings) {
    return settings.Change(SettingsSection::AddressBar,
                           [](ProgramSettings& s) { s.addressBar.goButton = !s.addressBar.goButton; });
}

}  // namespace fern
