#include "frame/gtk/SessionParts.h"

#include <cstdio>
#include <optional>

#include "addressbar/gtk/PageKeys.h"
#include "addressbar/gtk/UrlAddDialog.h"
#include "addressbar/AddressBarCommands.h"
#include "commands/CommandRouter.h"
#include "frame/gtk/AutoSaveDialog.h"
#include "ui/gtk/ListFileChooser.h"
#include "platform/engine/LazyEngine.h"
#include "platform/fs/FileIo.h"
#include "platform/fs/FsPath.h"
#include "platform/gtk/WebKitEngine.h"

namespace fern {

namespace {

const char kCaption[] = "Fern Browser";
const char kSaveFailed[] = "ファイルの保存に失敗しました。";

GtkWidget* PageWidget(const CFernView* view) {
    auto* engine = view ? dynamic_cast<WebKitEngine*>(RealEngine(view->Engine())) : nullptr;
    return engine ? engine->Widget() : nullptr;
}

}  // namespace

SessionParts::SessionParts(Services services)
    : m_s(std::move(services)), m_bar(m_s.settings.Live().addressBar) {
    const AddressBarSettings& ab = Live().addressBar;
    (void)ReadTypedHistory(m_s.paths.typedHistory, m_typed, ab.urlLimit);
    m_bar.SetTypedUrls(m_typed.urls);
    (void)m_closed.Load(m_s.paths.recentClosed, Live().recentCloseUrl);
    m_autoSaveRunning = Live().autoSave.enabled && Live().autoSave.intervalMinutes > 0;
    m_addressStyle = m_s.settings.Subscribe(SettingsSection::AddressBar, [this] { m_bar.ApplyStyle(); });

    m_bar.SetOpener(Opener());
    m_widget = std::make_unique<AddressBarWidget>(m_bar, m_s.tempFolder);
    AddressBarWidget::Hooks hooks;
    hooks.hasPage = [this] { return PageWidget(m_s.frame.ActiveView()) != nullptr; };
    hooks.keyToPage = [this](guint key) { SendKeyToPage(PageWidget(m_s.frame.ActiveView()), key); };
    hooks.pageTitle = [this] {
        CFernView* view = m_s.frame.ActiveView();
        return view ? view->Title() : std::string();
    };
    m_widget->SetHooks(hooks);
    m_bar.ApplyStyle();
}

bool SessionParts::FocusOption() const { return Live().browser.focusPage; }

void SessionParts::ReportSaveFailure(const std::string& path, const ListFileStatus& status, bool tellUser) {
    if (status.ok) return;
    LogWriteFailure(path, status.error);
    if (tellUser) m_s.messageBox.Show(std::string(kSaveFailed) + "\n" + PathForDisplay(path), kCaption, MessageBoxKind::Ok);
}

// Commands -------------------------------------------------------------------------------

void SessionParts::RegisterCommands(CCommandRouter& router) {
    m_closed.RegisterCommands(router, Opener(), [this] { return FocusOption(); }, m_s.settings);
    // Opening all of them makes their pages a few at a time.
    router.Add(ID_RECENT_OPEN_ALL, [this] {
        CMainFrame::DeferredViews deferred(m_s.frame);
        m_closed.OpenAll(Opener());
    });
    router.Add(ID_FILE_OPEN_URL, [this] { OpenDialog(); });
    router.Add(ID_STATE_SAVE, [this] {
        ReportSaveFailure(m_s.paths.stateLog, SaveState(m_s.frame, "", m_s.paths.stateLog), true);
    });
    router.Add(ID_STATE_SAVE_LIST, [this] {
        if (auto path = ChooseFile(m_s.window, true, ListFileFilters(), m_s.settings, "UrlList.fbl"))
            ReportSaveFailure(*path, SaveState(m_s.frame, *path, m_s.paths.stateLog), true);
    });
    router.Add(ID_STATE_RESTORE, [this] {
        CMainFrame::DeferredViews deferred(m_s.frame);
        RestoreStateLog(m_s.paths.stateLog, m_s.paths.startupList, Live().startup, false, Opener());
    });
    router.Add(ID_STATE_OPEN_LIST, [this] {
        if (auto path = ChooseFile(m_s.window, false, ListFileFilters(), m_s.settings)) {
            CMainFrame::DeferredViews deferred(m_s.frame);
            (void)OpenUrlListFile(*path, Opener());
        }
    });
    router.Add(ID_STARTUP_ADD, {[this] {
                                    CFernView* view = m_s.frame.ViewAt(m_s.frame.TargetTab());
                                    m_s.frame.SetRightClicked(-1);
                                    if (view)
                                        ReportSaveFailure(m_s.paths.startupList,
                                                          AddToStartupList(m_s.paths.startupList, view->Url()), true);
                                },
                                [this] { return m_s.frame.ViewAt(m_s.frame.TargetTab()) != nullptr; }, {}});
    router.Add(ID_AUTOSAVE_START, {[this] { AutoSaveCommand(); }, {}, [this] { return m_autoSaveRunning; }});
    router.Add(ID_ADDRESS_FOCUS, [this] { m_widget->FocusEdit(); });
    router.Add(ID_ADDRESS_DROP_DOWN, [this] { m_widget->DropDown(); });
    router.Add(ID_ADDRESS_GO_BUTTON, {[this] { ToggleGoButton(); }, {}, [this] {
                                          return Live().addressBar.goButton;
                                      }});
}

void SessionParts::ToggleGoButton() { fern::ToggleGoButton(m_s.settings); }

void SessionParts::OpenDialog() {
    UrlAddDialog dialog(m_s.window, m_bar.TypedUrls(), m_s.settings);
    UrlAddDialog::Result result = dialog.Run();
    if (!result.ok) return;
    int flags = 0;
    m_s.settings.Change(SettingsSection::FileDlg,
                        [&](ProgramSettings& s) { flags = AcceptOpenDialog(s.fileDlg, result.newTab); });
    if (!result.text.empty()) m_s.frame.OpenUrl(result.text, flags, kAddressDlc, kAddressSecurityMode);
}

void SessionParts::AutoSaveCommand() {
    AutoSaveDialog dialog(m_s.window, AutoSaveDialogValue(Live().autoSave));
    std::optional<int> minutes = dialog.Run();
    AutoSaveTimer timer = ChooseAutoSave(m_s.settings, minutes.has_value(), minutes.value_or(0));
    if (!timer.saved) m_s.messageBox.Show(kSaveFailed, kCaption, MessageBoxKind::Ok);
    m_s.frame.StartAutoSave(timer.run, timer.minutes);
    m_autoSaveRunning = timer.run;
}

// Start and exit ---------------------------------------------------------------------------

void SessionParts::OpenAtStartup(bool argumentOpened) {
    CMainFrame::DeferredViews deferred(m_s.frame);
    fern::OpenAtStartup(Live().startup, argumentOpened, m_s.paths.startupList, m_s.paths.stateLog, Opener());
}

void SessionParts::SaveStateLog() {
    ReportSaveFailure(m_s.paths.stateLog, SaveState(m_s.frame, "", m_s.paths.stateLog), false);
}

void SessionParts::SaveTypedHistory() {
    m_typed.urls = m_bar.TypedUrls();
    ReportSaveFailure(m_s.paths.typedHistory,
                      WriteTypedHistory(m_s.paths.typedHistory, m_typed, Live().addressBar.urlLimit), false);
}

void SessionParts::SaveRecentClosed() {
    ReportSaveFailure(m_s.paths.recentClosed,
                      m_closed.Save(m_s.paths.recentClosed, Live().recentCloseUrl), false);
    m_s.settings.Save(SettingsSection::RecentCloseUrl);
}

void SessionParts::AddExitSteps(ExitSteps& steps) {
    steps.stateLog = [this] { SaveStateLog(); };
    steps.typedLists = [this] { SaveTypedHistory(); };
    steps.proxyAndRecent = [this, before = steps.proxyAndRecent] {
        if (before) before();
        SaveRecentClosed();
    };
}

}  // namespace fern
