#pragma once
// What one page's bar says about the new windows refused to it (by the
// close-URL list or the tab limit): how many, and their addresses, each of
// which the user may open once. The count starts again with the page's next
// navigation. One log per page; it never touches the filter lists.
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace fern {

class CPopupBlockLog {
public:
    // A page that opens windows in a loop keeps only this many addresses;
    // the count goes on.
    static constexpr std::size_t kKeptAddresses = 20;

    // A refused window of this page (`url` Shift-JIS; empty means a blank
    // window): counted, and its address kept unless it is already.
    void Blocked(const std::string& url);
    // The page went to another document: the bar goes.
    void Navigated();
    // The user opened address `index`: it leaves the list, the count stays.
    std::optional<std::string> TakeForOpen(std::size_t index);

    int Count() const { return m_count; }
    const std::vector<std::string>& Addresses() const { return m_addresses; }
    // "ポップアップを 3 件ブロックしました".
    std::string Text() const;

private:
    int m_count = 0;
    std::vector<std::string> m_addresses;  // in the order first refused, no repeats
    std::vector<std::string> m_opened;     // not offered again before the next navigation
};

}  // namespace fern
