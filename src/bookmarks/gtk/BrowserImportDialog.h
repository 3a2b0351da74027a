#pragma once
// "ブラウザから取り込み": the browser profiles found for this user, one row
// each (browser, profile, folder), and "参照(&B)..." for a profile folder or
// bookmark file elsewhere. The answer is the chosen profile.
#include <gtkmm.h>

#include <optional>
#include <vector>

#include "bookmarks/exchange/BrowserProfiles.h"
#include "settings/SettingsService.h"

namespace fern {

struct ChosenProfile {
    BrowserFamily family = BrowserFamily::Firefox;
    std::string path;  // the profile folder or its bookmark file
};

// Runs the dialog over `parent`; nothing when cancelled.
std::optional<ChosenProfile> ChooseBrowserProfile(Gtk::Window& parent,
                                                  const std::vector<BrowserProfile>& profiles,
                                                  CSettingsService& settings);

// The same over the profiles found below this user's home folder.
std::optional<ChosenProfile> ChooseBrowserProfile(Gtk::Window& parent, CSettingsService& settings);

}  // namespace fern
