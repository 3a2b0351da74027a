#pragma once
// The list editor in the running browser: "リスト エディタ(&L)..." in the
// tools menu opens it (or brings it forward); it keeps its placement in
// wnds.ini and goes with the main window.
#include <memory>

#include "commands/CommandRouter.h"
#include "frame/MainFrame.h"
#include "lists/gtk/ModelessMainDialog.h"
#include "platform/Signal.h"
#include "settings/SettingsService.h"

namespace fern {

class ListEditorFeature {
public:
    ListEditorFeature(CMainFrame& frame, CSettingsService& settings);

    void RegisterCommands(CCommandRouter& router);

private:
    CSettingsService& m_settings;
    std::unique_ptr<ModelessMainDialog> m_dialog;
    SignalConnection m_exitStep;

    void Show();
};

}  // namespace fern
