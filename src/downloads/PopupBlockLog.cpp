#include "downloads/PopupBlockLog.h"

#include <algorithm>
#include <cstdio>

namespace fern {

namespace {
const char kBlank[] = "about:blank";
}  // namespace

void CPopupBlockLog::Blocked(const std::string& url) {
    ++m_count;
    const std::string address = url.empty() ? std::string(kBlank) : url;
    auto known = [&](const std::vector<std::string>& list) {
        return std::find(list.begin(), list.end(), address) != list.end();
    };
    if (!known(m_addresses) && !known(m_opened) && m_addresses.size() < kKeptAddresses)
        m_addresses.push_back(address);
}

void CPopupBlockLog::Navigated() {
    m_count = 0;
    m_addresses.clear();
    m_opened.clear();
}

std::optional<std::string> CPopupBlockLog::TakeForOpen(std::size_t index) {
    if (index >= m_addresses.size()) return std::nullopt;
    std::string address = m_addresses[index];
    m_addresses.erase(m_addresses.begin() + static_cast<std::ptrdiff_t>(index));
    m_opened.push_back(address);
    return address;
}

std::string CPopupBlockLog::Text() const {
    char text[80];
    std::snprintf(text, sizeof text, "ポップアップを %d 件ブロックしました", m_count);
    return text;
}

}  // namespace fern
