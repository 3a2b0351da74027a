#pragma once
// The custom host site's answers about page message boxes and script errors:
// the message-box filter, and the script-error switch (BOStyle 0x2) deciding
// between a status-bar note and the script-error window. Without the custom
// host site (BOStyle 0x1, read at start-up) nothing is filtered or reported.
#include <cstddef>
#include <functional>
#include <string>
#include <vector>

#include "page/PopupFilter.h"
#include "settings/BrowserSettings.h"

namespace fern {

struct ScriptErrorInfo {
    std::string message;
    std::string url;
    long line = 0;
};

inline constexpr char kScriptErrorStatus[] = "スクリプトエラー検出";
// Bytes of a script error's message and of its address that are shown.
inline constexpr std::size_t kScriptErrorTextLimit = 4096;

class CPageDialogFilter : public IPageDialogFilter {
public:
    struct Ui {
        std::function<void(const std::string&)> setStatusText;
        std::function<void(const ScriptErrorInfo&)> showScriptError;
    };
    // `browser` is read on each question, so the switches act at once.
    CPageDialogFilter(const BrowserSettings& browser, std::vector<KillMsgDlgItem> items, Ui ui)
        : m_browser(browser),
          m_hostSite(browser.customHostSite),
          m_items(std::move(items)),
          m_ui(std::move(ui)) {}

    bool HostSite() const { return m_hostSite; }
    bool MessageBoxHandled(const std::string& caption, const std::string& message) override;
    void ScriptError(const std::string& message, const std::string& url, long line) override;

private:
    const BrowserSettings& m_browser;
    bool m_hostSite;
    std::vector<KillMsgDlgItem> m_items;
    Ui m_ui;
};

}  // namespace fern
