#include "lists/gtk/ListEditorFeature.h"

#include "commands/CommandIds.h"

namespace fern {

ListEditorFeature::ListEditorFeature(CMainFrame& frame, CSettingsService& settings) : m_settings(settings) {
    m_exitStep = frame.Exit().placementAndBars.Connect([this] {
        if (m_dialog) m_dialog->MainWindowClosing();
    });
}

void ListEditorFeature::RegisterCommands(CCommandRouter& router) {
    router.Add(ID_LIST_EDITOR, [this] { Show(); });
}

void ListEditorFeature::Show() {
    if (m_dialog && m_dialog->get_visible()) {
        m_dialog->present();
        return;
    }
    // A closed editor is only hidden (it cannot delete itself in its own
    // handler); a new one takes its place here.
    m_dialog = std::make_unique<ModelessMainDialog>(m_settings, nullptr);
    m_dialog->present();
}

}  // namespace fern
