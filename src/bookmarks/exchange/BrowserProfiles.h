#pragma once
// Finding the profiles of the browsers installed for this user, in their
// usual folders below $HOME: Firefox-family profiles named by profiles.ini,
// and the profile folders of the Chromium family that hold a "Bookmarks"
// file.
#include <string>
#include <string_view>
#include <vector>

#include "bookmarks/exchange/BrowserImport.h"

namespace fern {

struct BrowserProfile {
    BrowserFamily family = BrowserFamily::Firefox;
    std::string browser;  // "Firefox", "Google Chrome", ... (ASCII)
    std::string name;     // the profile's name (Shift-JIS, for showing)
    std::string path;     // the profile folder (file-system bytes)
    bool isDefault = false;
};

// The Firefox profiles of one profiles.ini (its text and its folder): one
// per "[Profile*]" section with a Path (relative to the folder when
// IsRelative=1), the default first.
std::vector<BrowserProfile> ParseFirefoxProfilesIni(std::string_view text, std::string_view iniFolder,
                                                    std::string_view browser);

// Every profile found below `home` whose bookmark file exists: Firefox
// (also its snap and flatpak folders), then Google Chrome, Chromium, Brave,
// Microsoft Edge and Vivaldi, each browser's profiles in name order with
// "Default" first.
std::vector<BrowserProfile> FindBrowserProfiles(std::string_view home);

// The profile an import without a named one uses: the first found of the
// family; null when there is none.
const BrowserProfile* DefaultProfile(const std::vector<BrowserProfile>& profiles, BrowserFamily family);

}  // namespace fern
