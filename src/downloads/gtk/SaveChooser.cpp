#include "downloads/gtk/SaveChooser.h"

#include <sys/stat.h>

#include "downloads/DownloadFiles.h"
#include "downloads/SaveAsPlan.h"
#include "platform/fs/FileIo.h"
#include "platform/fs/FsPath.h"
#include "platform/text/Encoding.h"
#include "ui/gtk/MenuBuilder.h"

namespace fern {

namespace {

// The folder used last in this session, when FDStyle keeps none.
std::string& SessionFolder() {
    static std::string folder;
    return folder;
}

std::string StartFolder(const FileDlgSettings& folders) {
    if (folders.rememberFolders && !folders.savePath.empty()) {
        std::string remembered = PathFromText(folders.savePath);
        if (IsDirectory(remembered)) return remembered;
    }
    if (!SessionFolder().empty() && IsDirectory(SessionFolder())) return SessionFolder();
    const gchar* downloads = g_get_user_special_dir(G_USER_DIRECTORY_DOWNLOAD);
    if (downloads && IsDirectory(downloads)) return downloads;
    return g_get_home_dir();
}

bool Exists(const std::string& path) {
    struct stat info {};
    return lstat(path.c_str(), &info) == 0;
}

}  // namespace

std::optional<SaveChoice> ChooseSavePath(Gtk::Window& parent, const std::string& name,
                                         const std::vector<SaveChoiceFormat>& formats,
                                         CSettingsService& settings) {
    Gtk::FileChooserDialog dialog(parent, ToUtf8("名前を付けて保存"), Gtk::FILE_CHOOSER_ACTION_SAVE);
    dialog.add_button(ToUtf8("キャンセル"), Gtk::RESPONSE_CANCEL);
    dialog.add_button(MnemonicLabel("保存(&S)"), Gtk::RESPONSE_ACCEPT);
    dialog.set_default_response(Gtk::RESPONSE_ACCEPT);
    dialog.set_do_overwrite_confirmation(true);
    dialog.set_local_only(true);
    std::vector<Glib::RefPtr<Gtk::FileFilter>> filters;
    for (const SaveChoiceFormat& format : formats) {
        auto filter = Gtk::FileFilter::create();
        filter->set_name(ToUtf8(format.label));
        filter->add_pattern(format.extension.empty() ? "*" : "*" + format.extension);
        dialog.add_filter(filter);
        filters.push_back(filter);
    }
    // Another format takes its own extension in the name typed so far.
    std::size_t shown = 0;
    dialog.property_filter().signal_changed().connect([&] {
        for (std::size_t i = 0; i < filters.size(); ++i) {
            if (filters[i] != dialog.get_filter() || i == shown) continue;
            std::string current = dialog.get_current_name();
            if (!formats[i].extension.empty())
                dialog.set_current_name(
                    SwapExtension(current, formats[shown].extension, formats[i].extension));
            shown = i;
        }
    });
    dialog.set_current_folder(StartFolder(settings.Live().fileDlg));
    dialog.set_current_name(name);
    if (dialog.run() != Gtk::RESPONSE_ACCEPT) return std::nullopt;
    SaveChoice choice;
    choice.path = dialog.get_filename();
    if (choice.path.empty()) return std::nullopt;
    choice.format = shown;
    // The chooser asked about the file of that name; the user said replace.
    choice.replace = Exists(choice.path);
    SessionFolder() = FolderOfPath(choice.path);
    if (settings.Live().fileDlg.rememberFolders) {
        std::string folder = PathToText(SessionFolder());
        settings.Change(SettingsSection::FileDlg, [&](ProgramSettings& s) { s.fileDlg.savePath = folder; });
    }
    return choice;
}

}  // namespace fern
