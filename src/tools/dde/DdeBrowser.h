#pragma once
// What the browser's request server needs of the browser: the tabs in tab
// order, the open operation, and the main window's restore and close.
#include <cstdint>
#include <string>

namespace fern {

class IDdeBrowser {
public:
    virtual ~IDdeBrowser() = default;
    virtual int TabCount() const = 0;
    // Position of the active tab; -1 when none.
    virtual int ActiveTab() const = 0;
    virtual std::string TabUrl(int index) const = 0;
    // The page title, or the location name while the page has none.
    virtual std::string TabTitle(int index) const = 0;
    virtual void OpenUrl(const std::string& text, int openFlags, std::uint32_t dlc, int securityMode) = 0;
    virtual bool HiddenInTray() const = 0;
    // Both posted: they run after the current request has been answered.
    virtual void PostRestoreFromTray() = 0;
    virtual void PostClose() = 0;
    virtual void RestoreWindow() = 0;
};

}  // namespace fern
