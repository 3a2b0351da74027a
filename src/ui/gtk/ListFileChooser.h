#pragma once
// The program's file dialogs: open or save one file with the given filters.
// When FDStyle bit 2 is on they start in the folder used last (FDOpenPath,
// FDSavePath) and remember the folder chosen.
#include <gtkmm.h>

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "settings/SettingsService.h"

namespace fern {

struct FileTypeFilter {
    std::string name;      // Shift-JIS, e.g. "ブックマーク ファイル (*.fbl)"
    std::string patterns;  // "*.htm;*.html;*.fbl"
};

// The chosen path (the file system's bytes), or nothing when cancelled. The
// folder is remembered through `settings` when FDStyle says so.
std::optional<std::string> ChooseFile(Gtk::Window& parent, bool save,
                                      const std::vector<FileTypeFilter>& filters, CSettingsService& settings,
                                      const std::string& suggestedName = {});

// The filter of the list-file commands.
std::vector<FileTypeFilter> ListFileFilters();

}  // namespace fern
