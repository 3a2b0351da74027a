#include "frame/StateLog.h"

#include <algorithm>
#include <deque>
#include <map>
#include <set>

#include "frame/ListFileGuard.h"
#include "frame/MainFrame.h"
#include "lists/ItemListFile.h"
#include "settings/AppSettings.h"
#include "settings/SettingsService.h"

namespace fern {

namespace {

constexpr int kOpenNewTabFocus = 3;
constexpr std::size_t kMinStartupUrlBytes = 3;
constexpr int kAutoSaveMin = 1;
constexpr int kAutoSaveMax = 60;

}  // namespace

std::vector<UrlItem> StateItems(const CMainFrame& frame) {
    std::vector<UrlItem> items;
    for (int i = 0; i < frame.TabCount(); ++i) {
        const CFernView* view = frame.ViewAt(i);
        if (!view) continue;
        UrlItem item;
        item.style = view->DownloadControlFlags();
        item.url = view->KnownUrl();
        items.push_back(std::move(item));
    }
    return items;
}

ListFileStatus SaveState(const CMainFrame& frame, const std::string& path, const std::string& stateLogPath) {
    if (path.empty()) return WriteItemList(stateLogPath, kStateLogListName, StateItems(frame));
    return WriteItemList(path, kUrlListName, StateItems(frame));
}

std::vector<UrlItem> StateLogToRestore(const std::string& stateLogPath, const std::string& startupPath,
                                       const StartupSettings& startup, bool atStartup) {
    std::vector<UrlItem> items;
    (void)ReadItemList(stateLogPath, items);
    if (startup.dedupeOnRestore) {
        std::set<std::string> seen;
        std::erase_if(items, [&seen](const UrlItem& item) { return !seen.insert(item.url).second; });
    }
    if (atStartup && startup.dedupeStartupAgainstLog && startup.openStartupUrls) {
        std::vector<UrlItem> startupItems;
        (void)ReadItemList(startupPath, startupItems);
        std::set<std::string> opened;
        for (const UrlItem& item : startupItems) opened.insert(item.url);
        std::erase_if(items, [&opened](const UrlItem& item) { return opened.count(item.url) != 0; });
    }
    return items;
}

void OpenItems(const std::vector<UrlItem>& items, const UrlOpener& open) {
    if (!open) return;
    for (const UrlItem& item : items)
        if (!item.url.empty()) open(item.url, kOpenNewTabFocus, item.style, 0);
}

void RestoreStateLog(const std::string& stateLogPath, const std::string& startupPath,
                     const StartupSettings& startup, bool atStartup, const UrlOpener& open) {
    OpenItems(StateLogToRestore(stateLogPath, startupPath, startup, atStartup), open);
}

ListFileStatus OpenUrlListFile(const std::string& path, const UrlOpener& open) {
    std::vector<UrlItem> items;
    ListFileStatus status = ReadItemList(path, items);
    OpenItems(items, open);
    return status;
}

void OpenStartupUrls(const std::string& startupPath, const UrlOpener& open) {
    if (!open) return;
    std::vector<UrlItem> items;
    (void)ReadItemList(startupPath, items);
    for (const UrlItem& item : items)
        if (!item.url.empty()) open(item.url, kOpenNewTabFocus, item.style, 2);
}

ListFileStatus AddToStartupList(const std::string& startupPath, const std::string& url) {
    if (url.size() < kMinStartupUrlBytes) return {};
    std::vector<UrlItem> items;
    ListFileStatus read = ReadItemList(startupPath, items);
    if (ExistsButUnread(startupPath, read)) return KeptUnreadStatus();
    UrlItem item;
    item.url = url;
    items.push_back(std::move(item));
    return WriteItemList(startupPath, kStartupListName, items);
}

std::vector<UrlItem> EditedItemList(const std::vector<UrlItem>& before,
                                    const std::vector<std::string>& urls) {
    // The unused items of each address, first first (long lists stay linear).
    std::map<std::string_view, std::deque<std::size_t>> unused;
    for (std::size_t i = 0; i < before.size(); ++i) unused[before[i].url].push_back(i);
    std::vector<UrlItem> items;
    items.reserve(urls.size());
    for (const std::string& url : urls) {
        auto it = unused.find(url);
        if (it != unused.end() && !it->second.empty()) {
            items.push_back(before[it->second.front()]);
            it->second.pop_front();
        } else {
            UrlItem item;
            item.url = url;
            items.push_back(std::move(item));
        }
    }
    return items;
}

void OpenAtStartup(const StartupSettings& startup, bool argumentOpened, const std::string& startupPath,
                   const std::string& stateLogPath, const UrlOpener& open) {
    if (startup.noRestoreWithArguments && argumentOpened) return;
    if (startup.openStartupUrls) OpenStartupUrls(startupPath, open);
    if (startup.restoreStateAtStart) RestoreStateLog(stateLogPath, startupPath, startup, true, open);
}

AutoSaveTimer ChooseAutoSave(CSettingsService& settings, bool ok, int minutes) {
    AutoSaveTimer timer;
    timer.saved = settings.Change(SettingsSection::AutoSave, [ok, minutes](ProgramSettings& s) {
        s.autoSave.enabled = ok;
        if (ok) s.autoSave.intervalMinutes = minutes;
        s.autoSave.style = ok ? 1 : 0;
    });
    const AutoSaveSettings& chosen = settings.Live().autoSave;
    timer.run = ok && chosen.intervalMinutes != 0;
    timer.minutes = chosen.intervalMinutes;
    return timer;
}

int AutoSaveDialogValue(const AutoSaveSettings& settings) {
    return std::clamp(settings.intervalMinutes, kAutoSaveMin, kAutoSaveMax);
}

UrlOpener FrameOpener(CMainFrame& frame) {
    return [&frame](const std::string& text, int flags, std::uint32_t dlc, int mode) {
        frame.OpenUrl(text, flags, dlc, mode);
    };
}

}  // namespace fern
