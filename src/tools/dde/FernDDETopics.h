#pragma once
// The six topics of the browser's request server. Each reads its item text
// as arguments and answers through the browser interface.
#include <array>
#include <cstdint>
#include <string>

#include "tools/dde/DDETopic.h"
#include "tools/dde/DdeBrowser.h"

namespace fern {

// "WWW_OpenURL" (and "WWW_ShowFile"): opens the first argument in the
// current tab with the focus moved to the page.
class CDDETopicOpenUrl : public CDDETopic {
public:
    explicit CDDETopicOpenUrl(IDdeBrowser& browser) : m_browser(browser) {}
    bool Request(UINT format, const std::string& item, const void*& data, DWORD& size) override;

protected:
    IDdeBrowser& m_browser;
};

class CDDEShowFile : public CDDETopicOpenUrl {
public:
    using CDDETopicOpenUrl::CDDETopicOpenUrl;
};

// "WWW_GetWindowInfo": "\"URL\",\"title\",\"\"" of the tab a window id names.
class CDDEGetWndInfo : public CDDETopic {
public:
    explicit CDDEGetWndInfo(IDdeBrowser& browser) : m_browser(browser) {}
    bool Request(UINT format, const std::string& item, const void*& data, DWORD& size) override;

private:
    IDdeBrowser& m_browser;
    std::string m_strReply;  // valid until the next request
};

// "WWW_Activate": brings the main window back for the active-tab id.
class CDDEActivate : public CDDETopic {
public:
    explicit CDDEActivate(IDdeBrowser& browser) : m_browser(browser) {}
    bool Request(UINT format, const std::string& item, const void*& data, DWORD& size) override;

private:
    IDdeBrowser& m_browser;
};

// "WWW_ListWindows": the window ids 1..n as 32-bit little-endian numbers in
// a table of 500, of which the first 499 bytes are the answer.
class CDDEListWnd : public CDDETopic {
public:
    static constexpr std::size_t kTableSize = 500;
    static constexpr DWORD kAnswerSize = 499;

    explicit CDDEListWnd(IDdeBrowser& browser) : m_browser(browser) {}
    bool Request(UINT format, const std::string& item, const void*& data, DWORD& size) override;

private:
    IDdeBrowser& m_browser;
    std::array<unsigned char, kTableSize * 4> m_table{};
};

// "WWW_Exit": any poke closes the main window (posted).
class CDDEExit : public CDDETopic {
public:
    explicit CDDEExit(IDdeBrowser& browser) : m_browser(browser) {}
    bool Poke(UINT format, const std::string& item, const void* data, DWORD size) override;

private:
    IDdeBrowser& m_browser;
};

}  // namespace fern
