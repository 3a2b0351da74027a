#pragma once
// The one live copy of the settings. Features read their section through
// `Live()` (const), and every change goes through `Change`: the section is
// edited, saved, and every subscriber of the section is told, so a feature
// that derives its state from a section re-derives it then.
#include <functional>
#include <map>
#include <memory>
#include <vector>

#include "settings/ProgramSettings.h"
#include "settings/SettingsStore.h"

namespace fern {

enum class SettingsSection {
    Browser,
    TabBar,
    AddressBar,
    Bookmark,
    FernBar,
    LinkBar,
    Mail,
    TaskTray,
    CloseUrl,
    KillMsgDlg,
    RecentCloseUrl,
    AutoSave,
    Startup,
    StatusBar,
    FileDlg,
    OptionDlg,
    Proxy,
    History,
    HistorySearch,
    WebSearch,
    UrlExtract,
    MainFrame,
    ReBar,
    FernBars,
    ListEditDlg,
    Download,
};

class CSettingsService;

// Ends its subscription when it goes.
class SettingsSubscription {
public:
    SettingsSubscription() = default;
    SettingsSubscription(CSettingsService* service, int id) : m_service(service), m_id(id) {}
    SettingsSubscription(SettingsSubscription&& other) noexcept { *this = std::move(other); }
    SettingsSubscription& operator=(SettingsSubscription&& other) noexcept;
    ~SettingsSubscription();

private:
    CSettingsService* m_service = nullptr;
    int m_id = 0;
};

class CSettingsService {
public:
    // Reads every section from the store.
    explicit CSettingsService(SettingsStore& store);
    CSettingsService(const CSettingsService&) = delete;
    CSettingsService& operator=(const CSettingsService&) = delete;

    const ProgramSettings& Live() const { return m_live; }
    SettingsStore& Store() { return m_store; }

    // Edits the section, saves it and tells its subscribers (each once). A
    // save that fails is logged and returns false; the edit stays in effect,
    // so what the user chose goes on working until the program ends.
    bool Change(SettingsSection section, const std::function<void(ProgramSettings&)>& edit);
    // Saves the section as it is, without telling anyone (values kept for
    // the end, such as window places).
    bool Save(SettingsSection section);

    [[nodiscard]] SettingsSubscription Subscribe(SettingsSection section, std::function<void()> changed);

private:
    friend class SettingsSubscription;
    struct Subscriber {
        SettingsSection section;
        std::function<void()> changed;
    };
    SettingsStore& m_store;
    ProgramSettings m_live;
    std::map<int, Subscriber> m_subscribers;
    int m_nextId = 1;

    void Unsubscribe(int id) { m_subscribers.erase(id); }
};

// Saves one section of `settings`; false when a write failed.
bool SaveSection(ProgramSettings& settings, SettingsSection section, SettingsStore& store);

}  // namespace fern
