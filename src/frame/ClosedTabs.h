#pragma once
// The recently closed URLs: the closed tabs, newest first, at most 19, kept
// across runs in rcu.fbl; the last closed URL of this run; the menu
// "最近閉じたURL(&E)" and its commands.
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "commands/CommandIds.h"
#include "frame/StateLog.h"
#include "lists/UrlItem.h"

namespace fern {

class CCommandRouter;
class CSettingsService;
class CFernView;
struct RecentCloseUrlSettings;

struct ClosedMenuItem {
    int id = 0;
    std::string text;  // "&1 title" .. "&9 ..", then "&A " .. "&J "
};

class CClosedTabs {
public:
    static constexpr std::size_t kCapacity = 19;
    static constexpr std::size_t kMenuTextBytes = 30;

    // A tab's page is destroyed. Pages closed by the pop-up filters are not
    // recorded.
    void Record(const CFernView& view);
    // The same on plain values: `url` falls back to `pendingUrl`.
    void Record(bool closedByFilter, const std::string& url, const std::string& pendingUrl,
                const std::string& title, std::uint32_t dlc);

    const std::vector<UrlItem>& Items() const { return m_items; }
    const std::string& LastClosedUrl() const { return m_lastUrl; }
    std::uint32_t LastClosedFlags() const { return m_lastFlags; }

    // Start: rcu.fbl is read when RCUStyle bit 0x1 is on.
    ListFileStatus Load(const std::string& path, const RecentCloseUrlSettings& settings);
    // Exit: rcu.fbl when bit 0x2 is on (RCUStyle is saved with the
    // settings). A file that was there but could not be read at start is
    // left alone.
    ListFileStatus Save(const std::string& path, const RecentCloseUrlSettings& settings) const;

    std::vector<ClosedMenuItem> MenuItems() const;

    // The commands of the menu; false when `id` is not one of them.
    // `focusOption` is BOStyle bit 0x100.
    // "最後に閉じたURLを開く(&L)", the entries and "すべて開く(&A)" open through
    // `open`; "保存する(&S)" flips the setting; the menu "最近閉じたURL(&E)"
    // lists the entries.
    // Every entry with an address, newest first.
    void OpenAll(const UrlOpener& open) const;
    void RegisterCommands(CCommandRouter& router, UrlOpener open, std::function<bool()> focusOption,
                          CSettingsService& settings);

private:
    std::vector<UrlItem> m_items;
    std::string m_lastUrl;
    std::uint32_t m_lastFlags = kDefaultItemStyle;
    bool m_unreadable = false;
};

}  // namespace fern
