#include "filters/PageDialogFilter.h"

#include "filters/MessageBoxFilter.h"
#include "platform/text/TextCut.h"

namespace fern {

bool CPageDialogFilter::MessageBoxHandled(const std::string& caption, const std::string& message) {
    return m_hostSite && fern::MessageBoxHandled(m_items, caption, message);
}

void CPageDialogFilter::ScriptError(const std::string& message, const std::string& url, long line) {
    if (!m_hostSite) return;
    if (m_browser.showScriptErrors) {
        // A page decides what it reports: the window keeps only a few KB of
        // each text, however much the page throws.
        if (m_ui.showScriptError)
            m_ui.showScriptError(
                {ShortenText(message, kScriptErrorTextLimit), ShortenText(url, kScriptErrorTextLimit), line});
    } else if (m_ui.setStatusText) {
        m_ui.setStatusText(kScriptErrorStatus);
    }
}

}  // namespace fern
