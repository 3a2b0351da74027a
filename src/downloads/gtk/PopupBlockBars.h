#pragma once
// The bar above a page that tells of the new windows refused to it (the
// close-URL list, the tab limit): one quiet bar per page, counting, with the
// refused addresses each to be opened once in a new tab past the filter. It
// goes with the page's next navigation. The bar lives in the page's own
// container, which holds the page's web view below it.
#include <gtk/gtk.h>

#include <map>
#include <memory>
#include <string>

#include "platform/Signal.h"

namespace fern {

class CFernView;
class CMainFrame;
class PopupBar;

class PopupBlockBars {
public:
    // Hears of every refusal of `frame`'s pages.
    explicit PopupBlockBars(CMainFrame& frame);
    ~PopupBlockBars();
    PopupBlockBars(const PopupBlockBars&) = delete;
    PopupBlockBars& operator=(const PopupBlockBars&) = delete;

    // The widget that shows `view`'s page: its container with the bar and
    // `webView`. The same container each time for the same web view.
    GtkWidget* PageWidget(CFernView* view, GtkWidget* webView);

private:
    CMainFrame& m_frame;
    std::map<CFernView*, std::unique_ptr<PopupBar>> m_bars;
    SignalConnection m_refused;

    void Refused(CFernView* view, const std::string& url);
    void Open(CFernView* view, std::size_t index);
    void Forget(PopupBar* bar);
};

}  // namespace fern
