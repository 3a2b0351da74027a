#include "options/OptionsSession.h"

namespace fern {

namespace {

// Copies one section from `from` to `to`.
void CopySection(const ProgramSettings& from, ProgramSettings& to, SettingsSection section) {
    switch (section) {
        case SettingsSection::Browser: to.browser = from.browser; break;
        case SettingsSection::TabBar: to.tabBar = from.tabBar; break;
        case SettingsSection::AddressBar: to.addressBar = from.addressBar; break;
        case SettingsSection::Bookmark: to.bookmark = from.bookmark; break;
        case SettingsSection::FernBar: to.fernBar = from.fernBar; break;
        case SettingsSection::LinkBar: to.linkBar = from.linkBar; break;
        case SettingsSection::Mail: to.mail = from.mail; break;
        case SettingsSection::TaskTray: to.taskTray = from.taskTray; break;
        case SettingsSection::CloseUrl: to.closeUrl = from.closeUrl; break;
        case SettingsSection::KillMsgDlg: to.killMsgDlg = from.killMsgDlg; break;
        case SettingsSection::RecentCloseUrl: to.recentCloseUrl = from.recentCloseUrl; break;
        case SettingsSection::AutoSave: to.autoSave = from.autoSave; break;
        case SettingsSection::Startup: to.startup = from.startup; break;
        case SettingsSection::StatusBar: to.statusBar = from.statusBar; break;
        case SettingsSection::FileDlg: to.fileDlg = from.fileDlg; break;
        case SettingsSection::OptionDlg: to.optionDlg = from.optionDlg; break;
        case SettingsSection::Proxy: to.proxy = from.proxy; break;
        case SettingsSection::History: to.history = from.history; break;
        case SettingsSection::HistorySearch: to.historySearch = from.historySearch; break;
        case SettingsSection::WebSearch: to.webSearch = from.webSearch; break;
        case SettingsSection::UrlExtract: to.urlExtract = from.urlExtract; break;
        case SettingsSection::MainFrame: to.mainFrame = from.mainFrame; break;
        case SettingsSection::ReBar: to.reBar = from.reBar; break;
        case SettingsSection::FernBars: to.fernBars = from.fernBars; break;
        case SettingsSection::ListEditDlg: to.listEditDlg = from.listEditDlg; break;
        case SettingsSection::Download: to.download = from.download; break;
    }
}

}  // namespace

bool COptionsSession::Apply() {
    bool saved = true;
    for (SettingsSection section : m_edited)
        saved = m_settings.Change(section, [&](ProgramSettings& live) { CopySection(m_working, live, section); }) && saved;
    m_edited.clear();
    // What other features changed meanwhile shows on the pages from now on.
    m_working = m_settings.Live();
    return saved;
}

}  // namespace fern
