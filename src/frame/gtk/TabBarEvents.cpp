#include "frame/gtk/TabBarEvents.h"

#include "frame/MainFrame.h"
#include "lists/BookmarkClip.h"

namespace fern {

TabBarFrameEvents::TabBarFrameEvents(CMainFrame& frame, ConvertToUrl convert,
                                     std::function<void()> showBarMenu)
    : m_frame(frame), m_convert(std::move(convert)), m_showBarMenu(std::move(showBarMenu)) {}

void TabBarFrameEvents::OnTabSelChange(int index) { m_frame.SelectTab(index); }
void TabBarFrameEvents::OnTabLButtonDblClick(int index) { m_frame.OnTabDoubleClick(index); }
void TabBarFrameEvents::OnTabMButtonDown(int index) { m_frame.OnTabWheelClick(index); }
void TabBarFrameEvents::OnTabMButtonDblClick(int index) { m_frame.OnTabWheelClick(index); }
void TabBarFrameEvents::OnTabRButtonClick(int index) { m_frame.OnTabRightClick(index); }

void TabBarFrameEvents::OnTabBarRButtonClick() {
    if (m_showBarMenu) m_showBarMenu();
}

void TabBarFrameEvents::OnTabDrop(const TabDropData& data, int index, bool shift, bool alt) {
    std::vector<TabDropAction> actions =
        TabDropActions(data, index, shift, alt, DefaultDownloadControl(m_frame.Settings()), m_convert);
    for (const TabDropAction& a : actions) {
        if (a.kind == TabDropAction::Kind::OpenNewTab) {
            m_frame.OpenUrl(a.url, a.openFlags, a.dlc, a.securityMode);
            continue;
        }
        CFernView* view = m_frame.ViewAt(a.tab);
        if (!view) continue;
        if (a.setFlags) {
            view->SetDownloadControlFlags(a.dlc);
            if (view->Engine()) view->Engine()->OnDownloadControlChanged(a.dlc);
        }
        view->Navigate(a.url);
    }
}

void TabBarFrameEvents::OnTabBookmarkDrop(const std::string& bytes, int index, bool shift, bool alt) {
    TabDropData data;
    data.kind = TabDropData::Kind::Bookmarks;
    for (const UrlItem& item : BookmarkClipUrls(bytes))
        data.bookmarks.push_back({item.url, item.style, item.exstyle});
    OnTabDrop(data, index, shift, alt);
}

std::string TabBarFrameEvents::TabTitle(int index) {
    CFernView* view = m_frame.ViewAt(index);
    return view ? view->Title() : std::string();
}

std::string TabBarFrameEvents::TabUrl(int index) {
    CFernView* view = m_frame.ViewAt(index);
    return view ? view->Url() : std::string();
}

}  // namespace fern
