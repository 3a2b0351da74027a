#include "app/FrameOptionsFromSettings.h"

namespace fern {

FrameOptions MakeFrameOptions(const ProgramSettings& s) {
    FrameOptions o;
    o.tabStyle = static_cast<std::uint32_t>(s.tabBar.style);
    o.browserStyle = static_cast<std::uint32_t>(s.browser.style);
    o.dlcDefault = static_cast<std::uint32_t>(s.browser.downloadControl);
    // An empty home page setting means the blank page.
    o.homePageUrl = s.browser.homePageUrl.empty() ? "about:blank" : s.browser.homePageUrl;
    o.bookmarkOpenInNewTab = s.bookmark.openInNewTab;
    o.bookmarkAutoSave = s.bookmark.autoSave;
    o.saveStateAtExit = s.startup.saveStateAtExit;
    o.tabCreateNew = s.tabBar.createNew;
    o.tabCreateLimit = s.tabBar.createLimit;
    o.tabInsertPosition = s.tabBar.insertPosition;
    o.tabNextActive = s.tabBar.nextActive;
    o.tabBtnWClick = s.tabBar.wheelClick;
    o.tabBtnRClick = s.tabBar.rightClick;
    o.tabBtnLDblClick = s.tabBar.leftDoubleClick;
    return o;
}

}  // namespace fern
