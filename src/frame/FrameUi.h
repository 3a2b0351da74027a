#pragma once
// What the window shows of the frame's state. The GTK main window implements
// it and mirrors the tab bar model on TabsChanged.
#include <string>

namespace fern {

class CFernView;

class IFrameUi {
public:
    virtual ~IFrameUi() = default;
    virtual void ViewCreated(CFernView* view) = 0;
    // A view opened without its page (a restored tab) got it now.
    virtual void PageMade(CFernView* view) = 0;
    // Called before the view is deleted.
    virtual void ViewDestroyed(CFernView* view) = 0;
    // The view gives its page up (a sleeping tab); PageMade brings it back.
    virtual void PageDropped(CFernView* view) { ViewDestroyed(view); }
    virtual void ActiveViewChanged(CFernView* view) = 0;
    // Items, texts, images or the selection of the tab bar changed.
    virtual void TabsChanged() = 0;
    virtual void SetCaption(const std::string& caption) = 0;
    virtual void SetStatusText(const std::string& text) = 0;
    virtual void SetProgress(int percent) = 0;
    virtual void SetAddress(const std::string& url) = 0;
    // The selected page's lock level (the indicator shows 1..7).
    virtual void SetSecureLock(int level) = 0;
    // The selected page's security zone, -1 for none.
    virtual void SetZone(int zone) = 0;
    virtual void SetOffline(bool offline) = 0;
    virtual void ShowTabMenu(int index) = 0;
};

}  // namespace fern
