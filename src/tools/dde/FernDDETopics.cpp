#include "tools/dde/FernDDETopics.h"

#include "tools/dde/DdeItemArguments.h"

namespace fern {

namespace {

// Open in the current tab (no new-tab bit), focus to the page.
constexpr int kDdeOpenFlags = 2;
constexpr std::uint32_t kDefaultDownloadControl = 0xFFFFFFFF;
constexpr int kDdeSecurityMode = 1;

const char kEmpty[] = "";

}  // namespace

bool CDDETopicOpenUrl::Request(UINT, const std::string& item, const void*& data, DWORD& size) {
    std::string url = DdeFirstArgument(item);
    if (url.empty()) return false;
    m_browser.OpenUrl(url, kDdeOpenFlags, kDefaultDownloadControl, kDdeSecurityMode);
    data = kEmpty;
    size = 0;
    return true;
}

bool CDDEGetWndInfo::Request(UINT format, const std::string& item, const void*& data, DWORD& size) {
    m_strReply.clear();
    if (format != CF_TEXT) return false;
    int tab = DdeWindowIdToTab(item, m_browser.TabCount(), m_browser.ActiveTab());
    if (tab < 0) return false;
    m_strReply = "\"" + m_browser.TabUrl(tab) + "\",\"" + m_browser.TabTitle(tab) + "\",\"\"";
    data = m_strReply.c_str();
    size = static_cast<DWORD>(m_strReply.size() + 1);
    return true;
}

bool CDDEActivate::Request(UINT, const std::string& item, const void*& data, DWORD& size) {
    std::string id = DdeFirstArgument(item);
    if (id.empty()) return false;
    if (IsActiveWindowId(id)) {
        if (m_browser.HiddenInTray()) m_browser.PostRestoreFromTray();
        else m_browser.RestoreWindow();
    }
    data = kEmpty;
    size = 0;
    return true;
}

bool CDDEListWnd::Request(UINT, const std::string&, const void*& data, DWORD& size) {
    int count = m_browser.TabCount();
    if (count <= 0) return false;
    m_table.fill(0);
    // Tabs past the table's end are left out rather than written beyond it.
    std::size_t listed =
        static_cast<std::size_t>(count) < kTableSize ? static_cast<std::size_t>(count) : kTableSize;
    for (std::size_t i = 0; i < listed; ++i) {
        std::uint32_t id = static_cast<std::uint32_t>(i + 1);
        for (int b = 0; b < 4; ++b) m_table[i * 4 + b] = static_cast<unsigned char>((id >> (8 * b)) & 0xFF);
    }
    data = m_table.data();
    size = kAnswerSize;
    return true;
}

bool CDDEExit::Poke(UINT, const std::string&, const void*, DWORD) {
    m_browser.PostClose();
    return true;
}

}  // namespace fern
