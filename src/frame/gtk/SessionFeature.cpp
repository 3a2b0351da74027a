#include "frame/gtk/SessionFeature.h"

#include "frame/gtk/AutoSaveDialog.h"
#include "ui/gtk/ListFileChooser.h"

namespace fern {

SessionDialogs MakeSessionDialogs(Gtk::Window& parent, CSettingsService& settings) {
    SessionDialogs dialogs;
    dialogs.chooseListFile = [&parent, &settings](bool save, const std::string& suggested) {
        return ChooseFile(parent, save, ListFileFilters(), settings, suggested);
    };
    dialogs.askAutoSaveMinutes = [&parent](int minutes) {
        AutoSaveDialog dialog(parent, minutes);
        return dialog.Run();
    };
    return dialogs;
}

}  // namespace fern
