#include "frame/gtk/TabBarFeature.h"

#include "frame/TabBarLook.h"
#include "frame/gtk/TabOptionsPages.h"

namespace fern {

TabBarFeature::TabBarFeature(MainFrameWindow& window, CMainFrame& frame, CSettingsService& settings,
                             COptionsPages& optionsPages, ConvertToUrl convert,
                             const std::string& resourceFolder, const std::string& tempFolder)
    : m_window(window),
      m_settings(settings),
      m_events(frame, std::move(convert), [&window] { window.ShowTabBarMenu(); }) {
    m_bar.SetModel(&frame.Tabs());
    m_bar.SetEvents(&m_events);
    m_bar.LoadImages(resourceFolder);
    m_bar.SetTempFolder(tempFolder);
    ApplyLook();
    window.SetTabBarRefresh([this] { m_bar.Refresh(); });
    AddTabOptionsPages(optionsPages);
    m_look = settings.Subscribe(SettingsSection::TabBar, [this] { ApplyLook(); });
}

void TabBarFeature::ApplyLook() {
    m_bar.SetLook(MakeTabBarLook(m_settings.Live().tabBar));
    m_window.SetTabBar(m_bar, m_bar.Look().belowPages);
}

}  // namespace fern
