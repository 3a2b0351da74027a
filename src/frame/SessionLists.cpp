#include "frame/SessionLists.h"

#include "commands/CommandIds.h"
#include "commands/CommandRouter.h"
#include "frame/StateLog.h"
#include "platform/fs/FileIo.h"
#include "platform/fs/FsPath.h"
#include "platform/shell/MessageBox.h"

namespace fern {

namespace {
const char kCaption[] = "Fern Browser";
const char kSaveFailed[] = "ファイルの保存に失敗しました。";
}  // namespace

CSessionLists::CSessionLists(CMainFrame& frame, CSettingsService& settings, SessionFiles files,
                             IMessageBox& messageBox, SessionDialogs dialogs)
    : m_frame(frame),
      m_settings(settings),
      m_paths(std::move(files)),
      m_messageBox(messageBox),
      m_dialogs(std::move(dialogs)) {
    (void)m_closed.Load(m_paths.recentClosed, m_settings.Live().recentCloseUrl);
    const AutoSaveSettings& autoSave = m_settings.Live().autoSave;
    m_autoSaveRunning = autoSave.enabled && autoSave.intervalMinutes > 0;
    m_record = m_frame.viewDestroyed.Connect([this](const CFernView& view) { m_closed.Record(view); });
    m_stateLog = m_frame.Exit().stateLog.Connect(
        [this] { Report(m_paths.stateLog, SaveState(m_frame, "", m_paths.stateLog), false); });
    m_recent = m_frame.Exit().proxyAndRecent.Connect([this] {
        Report(m_paths.recentClosed, m_closed.Save(m_paths.recentClosed, m_settings.Live().recentCloseUrl),
               false);
        m_settings.Save(SettingsSection::RecentCloseUrl);
    });
}

UrlOpener CSessionLists::Opener() { return FrameOpener(m_frame); }

void CSessionLists::Report(const std::string& path, const ListFileStatus& status, bool tellUser) {
    if (status.ok) return;
    LogWriteFailure(path, status.error);
    if (tellUser)
        m_messageBox.Show(std::string(kSaveFailed) + "\n" + PathForDisplay(path), kCaption,
                          MessageBoxKind::Ok);
}

void CSessionLists::RegisterCommands(CCommandRouter& router) {
    m_closed.RegisterCommands(
        router, Opener(), [this] { return FocusOption(); }, m_settings);
    // Opening all of them makes their pages a few at a time.
    router.Add(ID_RECENT_OPEN_ALL, [this] {
        CMainFrame::DeferredViews deferred(m_frame);
        m_closed.OpenAll(Opener());
    });
    router.Add(ID_STATE_SAVE,
               [this] { Report(m_paths.stateLog, SaveState(m_frame, "", m_paths.stateLog), true); });
    router.Add(ID_STATE_SAVE_LIST, [this] {
        if (!m_dialogs.chooseListFile) return;
        if (std::optional<std::string> path = m_dialogs.chooseListFile(true, "UrlList.fbl"))
            Report(*path, SaveState(m_frame, *path, m_paths.stateLog), true);
    });
    router.Add(ID_STATE_RESTORE, [this] {
        CMainFrame::DeferredViews deferred(m_frame);
        RestoreStateLog(m_paths.stateLog, m_paths.startupList, m_settings.Live().startup, false, Opener());
    });
    router.Add(ID_STATE_OPEN_LIST, [this] {
        if (!m_dialogs.chooseListFile) return;
        if (std::optional<std::string> path = m_dialogs.chooseListFile(false, "")) {
            CMainFrame::DeferredViews deferred(m_frame);
            (void)OpenUrlListFile(*path, Opener());
        }
    });
    auto target = [this] { return m_frame.ViewAt(m_frame.TargetTab()); };
    router.Add(ID_STARTUP_ADD, {[this, target] {
                                    CFernView* view = target();
                                    m_frame.SetRightClicked(-1);
                                    if (view)
                                        Report(m_paths.startupList,
                                               AddToStartupList(m_paths.startupList, view->Url()), true);
                                },
                                [target] { return target() != nullptr; },
                                {}});
    router.Add(ID_AUTOSAVE_START, {[this] { AutoSaveCommand(); }, {}, [this] { return m_autoSaveRunning; }});
}

void CSessionLists::AutoSaveCommand() {
    if (!m_dialogs.askAutoSaveMinutes) return;
    std::optional<int> minutes =
        m_dialogs.askAutoSaveMinutes(AutoSaveDialogValue(m_settings.Live().autoSave));
    AutoSaveTimer timer = ChooseAutoSave(m_settings, minutes.has_value(), minutes.value_or(0));
    if (!timer.saved) m_messageBox.Show(kSaveFailed, kCaption, MessageBoxKind::Ok);
    m_frame.StartAutoSave(timer.run, timer.minutes);
    m_autoSaveRunning = timer.run;
}

void CSessionLists::OpenAtStartup(bool argumentOpened) {
    CMainFrame::DeferredViews deferred(m_frame);
    fern::OpenAtStartup(m_settings.Live().startup, argumentOpened, m_paths.startupList, m_paths.stateLog,
                        Opener());
}

}  // namespace fern
