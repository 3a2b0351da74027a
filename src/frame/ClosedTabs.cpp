#include "frame/ClosedTabs.h"

#include <cstdio>

#include "commands/CommandRouter.h"
#include "commands/MenuLayout.h"
#include "frame/ListFileGuard.h"
#include "lists/ItemListFile.h"
#include "page/FernView.h"
#include "platform/text/TextCut.h"
#include "settings/FrameSettings.h"
#include "settings/SettingsService.h"

namespace fern {

namespace {

constexpr char kListName[] = "RecentCloseUrls";
constexpr char kBlank[] = "about:blank";
constexpr std::size_t kDigitKeys = 9;

void CutToCapacity(std::vector<UrlItem>& items) {
    if (items.size() > CClosedTabs::kCapacity) items.resize(CClosedTabs::kCapacity);
}

}  // namespace

void CClosedTabs::Record(const CFernView& view) {
    Record(view.IsClosing(), view.Url(), view.PendingUrl(), view.Title(), view.DownloadControlFlags());
}

void CClosedTabs::Record(bool closedByFilter, const std::string& url, const std::string& pendingUrl,
                         const std::string& title, std::uint32_t dlc) {
    if (closedByFilter) return;
    const std::string& address = url.empty() ? pendingUrl : url;
    m_lastUrl = address;
    m_lastFlags = dlc;
    if (address.empty() || address == kBlank) return;

    UrlItem item;
    for (auto it = m_items.begin(); it != m_items.end(); ++it)
        if (it->url == address) {
            item = std::move(*it);
            m_items.erase(it);
            break;
        }
    item.url = address;
    item.name = title;
    item.style = dlc;
    m_items.insert(m_items.begin(), std::move(item));
    CutToCapacity(m_items);
}

ListFileStatus CClosedTabs::Load(const std::string& path, const RecentCloseUrlSettings& settings) {
    m_items.clear();
    m_unreadable = false;
    if (!settings.readAtStart) return {};
    ListFileStatus status = ReadItemList(path, m_items);
    m_unreadable = ExistsButUnread(path, status);
    CutToCapacity(m_items);
    return status;
}

ListFileStatus CClosedTabs::Save(const std::string& path, const RecentCloseUrlSettings& settings) const {
    if (!settings.saveAtExit) return {};
    if (m_unreadable) return KeptUnreadStatus();
    return WriteItemList(path, kListName, m_items);
}

std::vector<ClosedMenuItem> CClosedTabs::MenuItems() const {
    std::vector<ClosedMenuItem> menu;
    for (std::size_t i = 0; i < m_items.size() && i < kCapacity; ++i) {
        std::string name = ShortenText(m_items[i].name, kMenuTextBytes);
        char key[8];
        if (i < kDigitKeys) std::snprintf(key, sizeof key, "&%d ", static_cast<int>(i + 1));
        else std::snprintf(key, sizeof key, "&%c ", static_cast<char>('A' + (i - kDigitKeys)));
        menu.push_back({ID_RECENT_FIRST + static_cast<int>(i), key + name});
    }
    return menu;
}

void CClosedTabs::OpenAll(const UrlOpener& open) const {
    std::vector<UrlItem> items = m_items;  // opening may close and record tabs
    for (const UrlItem& item : items)
        if (!item.url.empty() && open) open(item.url, 3, item.style, 0);
}

void CClosedTabs::RegisterCommands(CCommandRouter& router, UrlOpener open, std::function<bool()> focusOption,
                                   CSettingsService& settings) {
    router.Add(ID_RECENT_SAVE, {[&settings] {
                                    settings.Change(SettingsSection::RecentCloseUrl, [](ProgramSettings& s) {
                                        s.recentCloseUrl.saveAtExit = !s.recentCloseUrl.saveAtExit;
                                    });
                                },
                                {},
                                [&settings] { return settings.Live().recentCloseUrl.saveAtExit; }});
    router.Add(ID_RECENT_OPEN_ALL, [this, open] { OpenAll(open); });
    router.Add(ID_RECENT_LAST, {[this, open, focusOption] {
                                    if (!m_lastUrl.empty() && open)
                                        open(m_lastUrl, focusOption && focusOption() ? 3 : 1, m_lastFlags, 0);
                                },
                                [this] { return !m_lastUrl.empty(); },
                                {}});
    router.AddRange(ID_RECENT_FIRST, ID_RECENT_RANGE_END,
                    {[this, open](int id) {
                         auto index = static_cast<std::size_t>(id - ID_RECENT_FIRST);
                         if (index < m_items.size() && open) {
                             UrlItem item = m_items[index];
                             open(item.url, 3, item.style, 0);
                         }
                     },
                     {},
                     {}});
    router.AddDynamicMenu(kRecentClosedMenu, [this] {
        std::vector<DynamicMenuItem> items;
        for (const ClosedMenuItem& entry : MenuItems()) items.push_back({entry.id, entry.text, false});
        return items;
    });
}

}  // namespace fern
