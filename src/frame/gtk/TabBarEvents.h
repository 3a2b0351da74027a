#pragma once
// What the tab bar widget reports, with the index of the button hit (-1 when
// none), and what it asks about a tab. Texts are Shift-JIS.
#include <functional>
#include <string>

#include "frame/TabDrop.h"

namespace fern {

class CMainFrame;

class ITabBarEvents {
public:
    virtual ~ITabBarEvents() = default;
    // Left press on another button than the selected one (or its click action).
    virtual void OnTabSelChange(int index) = 0;
    virtual void OnTabLButtonDblClick(int index) = 0;
    virtual void OnTabMButtonDown(int index) = 0;
    virtual void OnTabMButtonDblClick(int index) = 0;
    virtual void OnTabRButtonClick(int index) = 0;
    // Right click beside the buttons; the current event is the button press.
    virtual void OnTabBarRButtonClick() = 0;
    // The pointer left the drag box around a press on button `index`; the
    // widget then drags the tab's address out itself.
    virtual void OnTabDragOut(int index) = 0;
    virtual void OnTabDrop(const TabDropData& data, int index, bool shift, bool alt) = 0;
    // The raw bytes of a "FBPrivateClipboardFormat" drop.
    virtual void OnTabBookmarkDrop(const std::string& bytes, int index, bool shift, bool alt) = 0;
    // The tool tip and the name of the shortcut file of a dragged tab.
    virtual std::string TabTitle(int index) = 0;
    // The address a drag out of the tab offers; empty = nothing to drag.
    virtual std::string TabUrl(int index) = 0;
};

// Connects the reports to the tab manager. `convert` is the address
// conversion of dropped text and files (the frame's ConvertArgumentToUrl);
// `showBarMenu` shows the bar's menu at the pointer.
class TabBarFrameEvents : public ITabBarEvents {
public:
    TabBarFrameEvents(CMainFrame& frame, ConvertToUrl convert, std::function<void()> showBarMenu);

    void OnTabSelChange(int index) override;
    void OnTabLButtonDblClick(int index) override;
    void OnTabMButtonDown(int index) override;
    void OnTabMButtonDblClick(int index) override;
    void OnTabRButtonClick(int index) override;
    void OnTabBarRButtonClick() override;
    void OnTabDragOut(int) override {}
    void OnTabDrop(const TabDropData& data, int index, bool shift, bool alt) override;
    // The bookmarks carried open by the tab bar's drop rules.
    void OnTabBookmarkDrop(const std::string& bytes, int index, bool shift, bool alt) override;
    std::string TabTitle(int index) override;
    std::string TabUrl(int index) override;

private:
    CMainFrame& m_frame;
    ConvertToUrl m_convert;
    std::function<void()> m_showBarMenu;
};

}  // namespace fern
