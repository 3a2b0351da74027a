#include "filters/gtk/FilterFeature.h"

namespace fern {

FilterFeature::FilterFeature(Gtk::Window& window, CMainFrame& frame, CCloseFilter& filter,
                             CSettingsService& settings, ITimerService& timers, IMessageBox& messageBox,
                             const std::string& closeListPath, CCommandRouter& router,
                             COptionsPages& optionsPages)
    : m_frame(frame),
      m_scriptErrors(window),
      m_pageDialogs(settings.Live().browser, settings.Live().killMsgDlg.items,
                    {[&frame](const std::string& text) { frame.SetStatusText(text); },
                     [this](const ScriptErrorInfo& error) { m_scriptErrors.Show(error); }}),
      m_sweeper(timers, [&settings] { return settings.Live().browser.dialogSweep; }),
      m_commands({frame, filter, closeListPath, settings, messageBox,
                  [this](bool on) {
                      if (on) m_sweeper.SweepNow();
                  }}),
      m_pageServices({filter, closeListPath, messageBox}) {
    frame.SetPageDialogFilter(&m_pageDialogs);
    m_commands.RegisterCommands(router);
    AddCloseOptionsPages(optionsPages, m_pageServices);
    m_count = frame.Exit().closeCount.Connect([&settings, &filter] {
        settings.Change(SettingsSection::CloseUrl,
                        [&filter](ProgramSettings& s) { s.closeUrl.count = filter.Closed(); });
    });
}

FilterFeature::~FilterFeature() { m_frame.SetPageDialogFilter(nullptr); }

}  // namespace fern
