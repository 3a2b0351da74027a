#include "ui/gtk/ListFileChooser.h"

#include "platform/fs/FsPath.h"
#include "platform/text/Encoding.h"
#include "ui/gtk/MenuBuilder.h"

namespace fern {

namespace {

// "*.htm" matches "*.HTM" too, as file names did where the lists come from.
Glib::ustring CaseFreePattern(const std::string& pattern) {
    std::string out;
    for (char c : pattern) {
        if (g_ascii_isalpha(c)) {
            out += '[';
            out += g_ascii_tolower(c);
            out += g_ascii_toupper(c);
            out += ']';
        } else {
            out += c;
        }
    }
    return out;
}

// "/" is never a byte of a longer character, in UTF-8 or in Shift-JIS.
std::string FolderOf(const std::string& path) {
    std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash == 0 ? 1 : slash);
}

}  // namespace

std::optional<std::string> ChooseFile(Gtk::Window& parent, bool save,
                                      const std::vector<FileTypeFilter>& filters, CSettingsService& settings,
                                      const std::string& suggestedName) {
    const FileDlgSettings& folders = settings.Live().fileDlg;
    Gtk::FileChooserDialog dialog(parent, ToUtf8(save ? "名前を付けて保存" : "ファイルを開く"),
                                  save ? Gtk::FILE_CHOOSER_ACTION_SAVE : Gtk::FILE_CHOOSER_ACTION_OPEN);
    dialog.add_button(ToUtf8("キャンセル"), Gtk::RESPONSE_CANCEL);
    dialog.add_button(MnemonicLabel(save ? "保存(&S)" : "開く(&O)"), Gtk::RESPONSE_ACCEPT);
    dialog.set_default_response(Gtk::RESPONSE_ACCEPT);
    dialog.set_do_overwrite_confirmation(true);
    for (const FileTypeFilter& type : filters) {
        auto filter = Gtk::FileFilter::create();
        filter->set_name(ToUtf8(type.name));
        std::size_t start = 0;
        while (start <= type.patterns.size()) {
            std::size_t end = type.patterns.find(';', start);
            if (end == std::string::npos) end = type.patterns.size();
            std::string pattern = type.patterns.substr(start, end - start);
            if (pattern == "*.*") pattern = "*";
            if (!pattern.empty()) filter->add_pattern(CaseFreePattern(pattern));
            start = end + 1;
        }
        dialog.add_filter(filter);
    }
    const std::string& remembered = save ? folders.savePath : folders.openPath;
    // The folders are stored as text; the chooser takes the file system's bytes.
    if (folders.rememberFolders && !remembered.empty()) dialog.set_current_folder(PathFromText(remembered));
    if (save && !suggestedName.empty()) dialog.set_current_name(ToUtf8(suggestedName));
    if (dialog.run() != Gtk::RESPONSE_ACCEPT) return std::nullopt;
    std::string path = dialog.get_filename();
    if (path.empty()) return std::nullopt;
    if (folders.rememberFolders) {
        std::string folder = PathToText(FolderOf(path));
        settings.Change(SettingsSection::FileDlg, [&](ProgramSettings& s) {
            (save ? s.fileDlg.savePath : s.fileDlg.openPath) = folder;
        });
    }
    return path;
}

std::vector<FileTypeFilter> ListFileFilters() { return {{"ブックマーク ファイル (*.fbl)", "*.fbl"}}; }

}  // namespace fern
