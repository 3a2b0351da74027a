#pragma once
// The file chooser of downloads and of "名前をつけて保存": it proposes a name in
// the folder used last (kept in FDSavePath when FDStyle says so, else for
// the session; the desktop's Downloads folder at first), asks before a file
// is replaced, and can offer formats, each with its extension.
#include <gtkmm.h>

#include <optional>
#include <string>
#include <vector>

#include "settings/SettingsService.h"

namespace fern {

struct SaveChoiceFormat {
    std::string label;      // Shift-JIS, "Web ページ、単一ファイル (*.mhtml)"
    std::string extension;  // ".mhtml"; empty for "any file"
};

struct SaveChoice {
    std::string path;  // the file system's bytes
    std::size_t format = 0;
    bool replace = false;  // a file of that name was there and the user chose to replace it
};

// `name` is the proposed file name (the file system's bytes, UTF-8), for
// formats[0] when formats are given.
std::optional<SaveChoice> ChooseSavePath(Gtk::Window& parent, const std::string& name,
                                         const std::vector<SaveChoiceFormat>& formats,
                                         CSettingsService& settings);

}  // namespace fern
