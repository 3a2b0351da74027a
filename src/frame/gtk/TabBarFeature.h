#pragma once
// The tab bar in the window: the drawn bar in its place above or below the
// pages, its events on the frame, its two options pages, and its look
// following the TabBar section as it changes.
#include <string>

#include "frame/gtk/MainFrameWindow.h"
#include "frame/gtk/TabBarEvents.h"
#include "frame/gtk/TabBarWidget.h"
#include "options/gtk/OptionsPage.h"
#include "settings/SettingsService.h"

namespace fern {

class TabBarFeature {
public:
    // `convert` turns a dropped text into an address, as the frame does.
    TabBarFeature(MainFrameWindow& window, CMainFrame& frame, CSettingsService& settings,
                  COptionsPages& optionsPages, ConvertToUrl convert, const std::string& resourceFolder,
                  const std::string& tempFolder);

    TabBarWidget& Widget() { return m_bar; }

private:
    MainFrameWindow& m_window;
    CSettingsService& m_settings;
    TabBarWidget m_bar;
    TabBarFrameEvents m_events;
    SettingsSubscription m_look;

    void ApplyLook();
};

}  // namespace fern
