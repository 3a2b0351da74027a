#include "filters/FilterCommands.h"

#include "commands/CommandIds.h"
#include "commands/CommandRouter.h"
#include "platform/fs/FileIo.h"
#include "settings/SettingsService.h"

namespace fern {

namespace {
constexpr char kCaption[] = "Fern Browser";
}  // namespace

void CFilterCommands::RegisterCommands(CCommandRouter& router) {
    auto targetTab = [this] { return m_s.frame.ViewAt(m_s.frame.TargetTab()) != nullptr; };
    router.Add(ID_FILTER_REGISTER_URL, {[this] { RegisterUrl(); }, targetTab, {}});
    router.Add(ID_FILTER_REGISTER_TITLE, {[this] { RegisterTitle(); }, targetTab, {}});
    // Without the custom host site the question is never asked.
    router.Add(ID_FILTER_SCRIPT_ERRORS, {[this] { ToggleScriptErrors(); }, [this] { return m_hostSite; },
                                         [this] { return Browser().showScriptErrors; }});
    router.Add(ID_FILTER_DIALOG_SWEEP,
               {[this] { ToggleDialogSweep(); }, {}, [this] { return Browser().dialogSweep; }});
}

void CFilterCommands::RegisterUrl() {
    int index = m_s.frame.TargetTab();
    m_s.frame.SetRightClicked(-1);
    CFernView* view = m_s.frame.ViewAt(index);
    if (!view) return;
    std::string url = view->Url();
    if (url.empty()) return;
    m_s.filter.Lists().urls.push_back(url);
    SaveLists();
    if (m_s.filter.Settings().closeOnRegister) m_s.frame.CloseTab(index);
}

void CFilterCommands::RegisterTitle() {
    CFernView* view = m_s.frame.ViewAt(m_s.frame.TargetTab());
    m_s.frame.SetRightClicked(-1);
    if (!view) return;
    std::string title = view->Title();
    if (title.empty()) return;
    m_s.filter.Lists().titles.push_back(title);
    SaveLists();
}

bool CFilterCommands::SaveLists() {
    ListFileStatus status = WriteCloseLists(m_s.closeListPath, m_s.filter.Lists());
    if (status) return true;
    // The entry stays in the list for this session; the file keeps its old
    // contents, and the user learns that the entry is not stored.
    LogWriteFailure(m_s.closeListPath, status.error);
    m_s.messageBox.Show("制止リスト (" + m_s.closeListPath + ") を保存できませんでした。\n" + status.error,
                        kCaption, MessageBoxKind::Ok);
    return false;
}

void CFilterCommands::ToggleScriptErrors() {
    if (!m_hostSite) return;
    ChangeBrowser([](BrowserSettings& b) { b.showScriptErrors = !b.showScriptErrors; });
}

void CFilterCommands::ToggleDialogSweep() {
    ChangeBrowser([](BrowserSettings& b) { b.dialogSweep = !b.dialogSweep; });
    if (m_s.sweepChanged) m_s.sweepChanged(Browser().dialogSweep);
}

const BrowserSettings& CFilterCommands::Browser() const { return m_s.settings.Live().browser; }

void CFilterCommands::ChangeBrowser(const std::function<void(BrowserSettings&)>& edit) {
    if (m_s.settings.Change(SettingsSection::Browser, [&](ProgramSettings& s) { edit(s.browser); })) return;
    m_s.messageBox.Show("ブラウザの設定を保存できませんでした。", kCaption, MessageBoxKind::Ok);
}

}  // namespace fern
