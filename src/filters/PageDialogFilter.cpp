#include "filters/PageDialogFilter.h"

#include "filters/MessageBoxFilter.h"

namespace fern {

bool CPageDialogFilter::MessageBoxHandled(const std::string& caption, const std::string& message) {
    return m_hostSite && fern::MessageBoxHandled(m_items, caption, message);
}

void CPageDialogFilter::ScriptError(const std::string& message, const std::string& url, long line) {
    if (!m_hostSite) return;
    if (m_browser.showScriptErrors) {
        if (m_ui.showScriptError) m_ui.showScriptError({message, url, line});
    } else if (m_ui.setStatusText) {
        m_ui.setStatusText(kScriptErrorStatus);
    }
}

}  // namespace fern
