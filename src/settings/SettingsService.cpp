#include "settings/SettingsService.h"

#include <cstdio>

namespace fern {

SettingsSubscription& SettingsSubscription::operator=(SettingsSubscription&& other) noexcept {
    if (this != &other) {
        if (m_service) m_service->Unsubscribe(m_id);
        m_service = other.m_service;
        m_id = other.m_id;
        other.m_service = nullptr;
    }
    return *this;
}

SettingsSubscription::~SettingsSubscription() {
    if (m_service) m_service->Unsubscribe(m_id);
}

bool SaveSection(ProgramSettings& s, SettingsSection section, SettingsStore& store) {
    switch (section) {
        case SettingsSection::Browser: return s.browser.Save(store);
        case SettingsSection::TabBar: return s.tabBar.Save(store);
        case SettingsSection::AddressBar: return s.addressBar.Save(store);
        case SettingsSection::Bookmark: return s.bookmark.Save(store);
        case SettingsSection::FernBar: return s.fernBar.Save(store);
        case SettingsSection::LinkBar: return s.linkBar.Save(store);
        case SettingsSection::Mail: return s.mail.Save(store);
        case SettingsSection::TaskTray: return s.taskTray.Save(store);
        case SettingsSection::CloseUrl: return s.closeUrl.Save(store);
        case SettingsSection::KillMsgDlg: return s.killMsgDlg.Save(store);
        case SettingsSection::RecentCloseUrl: return s.recentCloseUrl.Save(store);
        case SettingsSection::AutoSave: return s.autoSave.Save(store);
        case SettingsSection::Startup: return s.startup.Save(store);
        case SettingsSection::StatusBar: return s.statusBar.Save(store);
        case SettingsSection::FileDlg: return s.fileDlg.Save(store);
        case SettingsSection::OptionDlg: return s.optionDlg.Save(store);
        case SettingsSection::Proxy: return s.proxy.Save(store);
        case SettingsSection::History: return s.history.Save(store);
        case SettingsSection::HistorySearch: return s.historySearch.Save(store);
        case SettingsSection::WebSearch: return s.webSearch.Save(store);
        case SettingsSection::UrlExtract: return s.urlExtract.Save(store);
        case SettingsSection::MainFrame: return s.mainFrame.Save(store);
        case SettingsSection::ReBar: return s.reBar.Save(store);
        case SettingsSection::FernBars: return s.fernBars.Save(store);
        case SettingsSection::ListEditDlg: return s.listEditDlg.Save(store);
        case SettingsSection::Download: return s.download.Save(store);
    }
    return false;
}

CSettingsService::CSettingsService(SettingsStore& store) : m_store(store) { m_live.LoadAll(store); }

bool CSettingsService::Save(SettingsSection section) {
    if (SaveSection(m_live, section, m_store)) return true;
    std::fprintf(stderr, "fern: could not save settings section %d\n", static_cast<int>(section));
    return false;
}

bool CSettingsService::Change(SettingsSection section, const std::function<void(ProgramSettings&)>& edit) {
    if (edit) edit(m_live);
    bool saved = Save(section);
    // A subscriber may subscribe or end subscriptions while it is told.
    std::vector<std::function<void()>> told;
    for (const auto& [id, subscriber] : m_subscribers)
        if (subscriber.section == section) told.push_back(subscriber.changed);
    for (const auto& changed : told)
        if (changed) changed();
    return saved;
}

SettingsSubscription CSettingsService::Subscribe(SettingsSection section, std::function<void()> changed) {
    int id = m_nextId++;
    m_subscribers[id] = {section, std::move(changed)};
    return SettingsSubscription(this, id);
}

}  // namespace fern
