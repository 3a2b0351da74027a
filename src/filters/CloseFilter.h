#pragma once
// The close-URL and close-title filters over the lists of close.fbl and the
// CloseUrl settings; the pages consult it through IPopupFilter.
#include <string>

#include "filters/CloseLists.h"
#include "filters/WildcardPattern.h"
#include "page/PopupFilter.h"
#include "settings/BrowserSettings.h"

namespace fern {

class CCloseFilter : public IPopupFilter {
public:
    // `settings` stays the caller's: the switches are read on every question
    // and COCount is counted there, for the save at exit.
    // `settings` is the live CloseUrl section; the count of closed windows
    // starts from its COCount and is written back at the end.
    explicit CCloseFilter(const CloseUrlSettings& settings)
        : m_settings(settings), m_closed(settings.count) {}

    // Changes through this reference are picked up at the next question.
    CloseLists& Lists() {
        m_prepared = false;
        return m_lists;
    }
    const CloseLists& Lists() const { return m_lists; }
    const CloseUrlSettings& Settings() const { return m_settings; }

    bool MatchesCloseUrl(const std::string& url) override;
    bool MatchesCloseTitle(const std::string& title) override;
    bool NewTabsOnly() const override { return m_settings.newTabsOnly; }
    void CountClosed() override { ++m_closed; }
    int Closed() const { return m_closed; }

private:
    const CloseUrlSettings& m_settings;
    int m_closed = 0;
    CloseLists m_lists;
    bool m_prepared = false;
    std::vector<WildcardPattern> m_urls, m_titles;

    void Prepare();
};

}  // namespace fern
