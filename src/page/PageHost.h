#pragma once
// What a page needs from the window around it: the tab bar, the frame's
// caption and status bar, the tab manager's open operations, the pop-up
// filters and the take-over of special addresses. The main frame implements
// it; tests use a recording fake.
#include <cstddef>
#include <cstdint>
#include <string>

#include "settings/ProgramSettings.h"

namespace fern {

class CFernView;

// The blank page stands for an empty home-page setting.
std::string HomePageUrl(const ProgramSettings& settings);
// `BODLCDefault`: the download-control flags of new tabs.
inline std::uint32_t DefaultDownloadControl(const ProgramSettings& settings) {
    return static_cast<std::uint32_t>(settings.browser.downloadControl);
}

// The tab text of a page that has no title yet, and the caption's length.
inline constexpr char kLoadingTitle[] = "Loading..";
inline constexpr std::size_t kCaptionLimit = 100;

// Tab state images.
enum TabIcon : int {
    kIconNone = -1,
    kIconLoading = 1,
    kIconNavigated = 2,
    kIconFinishedUnseen = 4,
    kIconLocked = 5,
};

class IPageHost {
public:
    virtual ~IPageHost() = default;

    // The live settings, read at each use, so a change acts at once.
    virtual const ProgramSettings& Settings() const = 0;

    // Tab bar: InsertTab places the tab by the insert-position setting and
    // returns its index.
    virtual int InsertTab(const std::string& text, CFernView* view) = 0;
    virtual void ActivateTab(CFernView* view) = 0;
    virtual bool IsSelected(const CFernView* view) const = 0;
    virtual int TabCount() const = 0;
    virtual void SetTabText(CFernView* view, const std::string& text) = 0;
    virtual void SetTabImage(CFernView* view, int image) = 0;

    // Frame and status bar; the host shows them for the selected tab only.
    virtual void SetCaption(CFernView* view, const std::string& caption) = 0;
    virtual void SetStatusText(const std::string& text) = 0;
    virtual void SetProgress(int percent) = 0;
    virtual void SetAddress(const std::string& url) = 0;
    // The selected page finished navigating to url: the zone indicator.
    virtual void ShowZoneOf(const std::string& url) = 0;
    // The page's lock level as the control reports it.
    virtual void SetSecureLock(int level) = 0;
    virtual void UpdateOfflineIndicator() = 0;

    // Tabs: the posted close request of a tab's frame, the open operation
    // and a tab for a page's new window (related to the opener's control).
    virtual void PostClose(CFernView* view) = 0;
    virtual CFernView* OpenUrl(const std::string& text, int openFlags, std::uint32_t dlc,
                               int securityMode) = 0;
    virtual CFernView* CreateTabForNewWindow(CFernView* opener) = 0;

    // Pop-up filters: each answers false while its filter is off.
    virtual bool MatchesCloseUrl(const std::string& url) = 0;
    virtual bool MatchesCloseTitle(const std::string& title) = 0;
    virtual bool CloseUrlNewTabsOnly() const = 0;
    virtual void CountClosedWindow() = 0;
    // A new window that `opener` asked for was refused by the close-URL list
    // or the tab limit; `url` is its address.
    virtual void NewWindowRefused(CFernView* /*opener*/, const std::string& /*url*/) {}

    // Page message boxes (true: handled, not shown) and script errors; a
    // host without the custom host site neither filters nor reports them.
    virtual bool PageMessageBoxHandled(const std::string& /*caption*/, const std::string& /*message*/) {
        return false;
    }
    virtual void PageScriptError(CFernView* /*view*/, const std::string& /*message*/,
                                 const std::string& /*url*/, long /*line*/) {}

    // "mailto:" addresses and list files: true when taken over.
    virtual bool OpenSpecialUrl(const std::string& url) = 0;
    virtual bool IsOffline() const = 0;
};

}  // namespace fern
