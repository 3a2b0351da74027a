#include "options/OptionsSession.h"

#include <map>
#include <utility>

namespace fern {

namespace {

// The values a section writes, as text by section and key.
class SavedValues final : public Profile {
public:
    int ReadInt(std::string_view, std::string_view, int defaultValue) const override { return defaultValue; }
    std::string ReadString(std::string_view, std::string_view, std::string_view defaultValue,
                           std::size_t) const override {
        return std::string(defaultValue);
    }
    bool WriteInt(std::string_view section, std::string_view key, int value) override {
        return WriteString(section, key, std::to_string(value));
    }
    bool WriteString(std::string_view section, std::string_view key, std::string_view value) override {
        m_values[{std::string(section), std::string(key)}] = std::string(value);
        return true;
    }
    bool DeleteKey(std::string_view section, std::string_view key) override {
        m_values[{std::string(section), std::string(key)}] = "(deleted)";
        return true;
    }
    bool DeleteSection(std::string_view section) override {
        m_values[{std::string(section), std::string()}] = "(deleted)";
        return true;
    }
    std::string Location() const override { return "memory"; }
    bool operator==(const SavedValues& other) const { return m_values == other.m_values; }

private:
    std::map<std::pair<std::string, std::string>, std::string> m_values;
};

// True when `a` and `b` would write the same values for the section.
bool SameSection(ProgramSettings a, ProgramSettings b, SettingsSection section) {
    SavedValues profileA, windowsA, profileB, windowsB;
    SettingsStore storeA(profileA, windowsA), storeB(profileB, windowsB);
    SaveSection(a, section, storeA);
    SaveSection(b, section, storeB);
    return profileA == profileB && windowsA == windowsB;
}

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
    for (SettingsSection section : m_edited) {
        // A page that stores what it showed changes nothing: the section is
        // neither written nor announced.
        if (SameSection(m_working, m_settings.Live(), section)) continue;
        saved = m_settings.Change(section, [&](ProgramSettings& live) {
            CopySection(m_working, live, section);
        }) && saved;
    }
    m_edited.clear();
    // What other features changed meanwhile shows on the pages from now on.
    m_working = m_settings.Live();
    return saved;
}

}  // namespace fern
