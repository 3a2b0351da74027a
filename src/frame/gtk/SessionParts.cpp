#include "frame/gtk/SessionParts.h"

#include <cstdio>
#include <optional>

#include "addressbar/gtk/PageKeys.h"
#include "addressbar/gtk/UrlAddDialog.h"
#include "frame/gtk/AutoSaveDialog.h"
#include "frame/gtk/ListFileChooser.h"
#include "frame/gtk/RecentClosedMenu.h"
#include "platform/engine/LazyEngine.h"
#include "platform/fs/FileIo.h"
#include "platform/fs/FsPath.h"
#include "platform/gtk/WebKitEngine.h"

namespace fern {

namespace {

constexpr std::uint32_t kFocusOption = 0x100;
const char kCaption[] = "Fern Browser";
const char kSaveFailed[] = "ファイルの保存に失敗しました。";

GtkWidget* PageWidget(const CFernView* view) {
    auto* engine = view ? dynamic_cast<WebKitEngine*>(RealEngine(view->Engine())) : nullptr;
    return engine ? engine->Widget() : nullptr;
}

}  // namespace

SessionParts::SessionParts(Services services) : m_s(std::move(services)), m_bar(m_s.settings.addressBar) {
    AddressBarSettings& ab = m_s.settings.addressBar;
    (void)ReadTypedHistory(m_s.paths.typedHistory, m_typed, ab.urlLimit);
    m_bar.SetTypedUrls(m_typed.urls);
    (void)m_closed.Load(m_s.paths.recentClosed, m_s.settings.recentCloseUrl);
    m_autoSaveRunning = m_s.settings.autoSave.enabled && m_s.settings.autoSave.intervalMinutes > 0;

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

bool SessionParts::FocusOption() const { return (m_s.frame.Options().browserStyle & kFocusOption) != 0; }

void SessionParts::ReportSaveFailure(const std::string& path, const ListFileStatus& status, bool tellUser) {
    if (status.ok) return;
    LogWriteFailure(path, status.error);
    if (tellUser) m_s.messageBox.Show(std::string(kSaveFailed) + "\n" + PathForDisplay(path), kCaption, MessageBoxKind::Ok);
}

// Commands -------------------------------------------------------------------------------

bool SessionParts::Command(int id) {
    if (CClosedTabs::IsCommand(id)) {
        // Opening all of them makes their pages a few at a time.
        std::optional<CMainFrame::DeferredViews> deferred;
        if (id == ID_RECENT_OPEN_ALL) deferred.emplace(m_s.frame);
        return m_closed.OnCommand(id, Opener(), FocusOption(), m_s.settings.recentCloseUrl);
    }
    switch (id) {
        case ID_FILE_OPEN_URL: OpenDialog(); return true;
        case ID_STATE_SAVE:
            ReportSaveFailure(m_s.paths.stateLog, SaveState(m_s.frame, "", m_s.paths.stateLog), true);
            return true;
        case ID_STATE_SAVE_LIST:
            if (auto path = ChooseFile(m_s.window, true, ListFileFilters(), m_s.settings.fileDlg, "UrlList.fbl"))
                ReportSaveFailure(*path, SaveState(m_s.frame, *path, m_s.paths.stateLog), true);
            return true;
        case ID_STATE_RESTORE: {
            CMainFrame::DeferredViews deferred(m_s.frame);
            RestoreStateLog(m_s.paths.stateLog, m_s.paths.startupList, m_s.settings.startup, false, Opener());
            return true;
        }
        case ID_STATE_OPEN_LIST:
            if (auto path = ChooseFile(m_s.window, false, ListFileFilters(), m_s.settings.fileDlg)) {
                CMainFrame::DeferredViews deferred(m_s.frame);
                (void)OpenUrlListFile(*path, Opener());
            }
            return true;
        case ID_STARTUP_ADD: {
            CFernView* view = m_s.frame.ViewAt(m_s.frame.TargetTab());
            m_s.frame.SetRightClicked(-1);
            if (view)
                ReportSaveFailure(m_s.paths.startupList, AddToStartupList(m_s.paths.startupList, view->Url()), true);
            return true;
        }
        case ID_AUTOSAVE_START: AutoSaveCommand(); return true;
        default: return false;
    }
}

std::optional<bool> SessionParts::IsChecked(int id) const {
    if (id == ID_RECENT_SAVE) return m_closed.IsChecked(id, m_s.settings.recentCloseUrl);
    if (id == ID_AUTOSAVE_START) return m_autoSaveRunning;
    return std::nullopt;
}

std::optional<bool> SessionParts::IsEnabled(int id) const {
    if (CClosedTabs::IsCommand(id)) return m_closed.IsEnabled(id);
    switch (id) {
        case ID_STARTUP_ADD: return m_s.frame.ViewAt(m_s.frame.TargetTab()) != nullptr;
        case ID_FILE_OPEN_URL:
        case ID_STATE_SAVE:
        case ID_STATE_SAVE_LIST:
        case ID_STATE_RESTORE:
        case ID_STATE_OPEN_LIST:
        case ID_AUTOSAVE_START: return true;
        default: return std::nullopt;
    }
}

void SessionParts::ToggleGoButton() {
    if (!m_bar.ToggleGoButton(m_s.store)) m_s.store.LogSaveFailure(Setting::ABStyle);
}

bool SessionParts::AttachMenus(Gtk::MenuShell& menuBar) {
    return AttachRecentClosedMenu(menuBar, m_closed, [this](int id) { Command(id); });
}

void SessionParts::OpenDialog() {
    FileDlgSettings& fileDlg = m_s.settings.fileDlg;
    UrlAddDialog dialog(m_s.window, m_bar.TypedUrls(), fileDlg);
    UrlAddDialog::Result result = dialog.Run();
    if (!result.ok) return;
    int flags = AcceptOpenDialog(fileDlg, result.newTab);
    if (!m_s.store.WriteInt(Setting::FDStyle, fileDlg.style)) m_s.store.LogSaveFailure(Setting::FDStyle);
    if (!result.text.empty()) m_s.frame.OpenUrl(result.text, flags, kAddressDlc, kAddressSecurityMode);
}

void SessionParts::AutoSaveCommand() {
    AutoSaveSettings& autoSave = m_s.settings.autoSave;
    AutoSaveDialog dialog(m_s.window, AutoSaveDialogValue(autoSave));
    std::optional<int> minutes = dialog.Run();
    AutoSaveTimer timer = ChooseAutoSave(autoSave, m_s.store, minutes.has_value(), minutes.value_or(0));
    if (!timer.saved) m_s.messageBox.Show(kSaveFailed, kCaption, MessageBoxKind::Ok);
    m_s.frame.StartAutoSave(timer.run, timer.minutes);
    m_autoSaveRunning = timer.run;
}

// Start and exit ---------------------------------------------------------------------------

void SessionParts::OpenAtStartup(bool argumentOpened) {
    CMainFrame::DeferredViews deferred(m_s.frame);
    fern::OpenAtStartup(m_s.settings.startup, argumentOpened, m_s.paths.startupList, m_s.paths.stateLog, Opener());
}

void SessionParts::SaveStateLog() {
    ReportSaveFailure(m_s.paths.stateLog, SaveState(m_s.frame, "", m_s.paths.stateLog), false);
}

void SessionParts::SaveTypedHistory() {
    m_typed.urls = m_bar.TypedUrls();
    ReportSaveFailure(m_s.paths.typedHistory,
                      WriteTypedHistory(m_s.paths.typedHistory, m_typed, m_s.settings.addressBar.urlLimit), false);
}

void SessionParts::SaveRecentClosed() {
    ReportSaveFailure(m_s.paths.recentClosed,
                      m_closed.Save(m_s.paths.recentClosed, m_s.settings.recentCloseUrl, m_s.store), false);
}

void SessionParts::AddExitSteps(ExitSteps& steps) {
    steps.stateLog = [this] { SaveStateLog(); };
    steps.typedLists = [this] { SaveTypedHistory(); };
    steps.proxyAndRecent = [this, before = steps.proxyAndRecent] {
        if (before) before();
        SaveRecentClosed();
    };
}

void SessionParts::SaveFileDialogFolders() {
    FileDlgSettings& fileDlg = m_s.settings.fileDlg;
    if (!fileDlg.rememberFolders) return;
    bool ok = m_s.store.WriteString(Setting::FDOpenPath, fileDlg.openPath);
    ok = m_s.store.WriteString(Setting::FDSavePath, fileDlg.savePath) && ok;
    if (!ok) m_s.store.LogSaveFailure(Setting::FDOpenPath);
}

}  // namespace fern
