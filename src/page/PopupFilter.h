#pragma once
// The close-URL and close-title filters as the pages consult them.
#include <string>

namespace fern {

class IPopupFilter {
public:
    virtual ~IPopupFilter() = default;
    // Each answers false while its filter is off.
    virtual bool MatchesCloseUrl(const std::string& url) = 0;
    virtual bool MatchesCloseTitle(const std::string& title) = 0;
    virtual bool NewTabsOnly() const = 0;
    // A tab closed by a filter.
    virtual void CountClosed() = 0;
};

// The host site's questions about page message boxes and script errors.
class IPageDialogFilter {
public:
    virtual ~IPageDialogFilter() = default;
    // True when the box is handled (not shown).
    virtual bool MessageBoxHandled(const std::string& caption, const std::string& message) = 0;
    virtual void ScriptError(const std::string& message, const std::string& url, long line) = 0;
};

// No lists loaded: nothing matches; closes are still counted.
class NoPopupFilter : public IPopupFilter {
public:
    bool MatchesCloseUrl(const std::string&) override { return false; }
    bool MatchesCloseTitle(const std::string&) override { return false; }
    bool NewTabsOnly() const override { return false; }
    void CountClosed() override { ++closed; }
    int closed = 0;
};

}  // namespace fern
