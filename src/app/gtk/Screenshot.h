#pragma once
// For runs without a display: once the active page has finished loading,
// save a picture of the main window as PNG, then let the caller close.
#include <gtkmm.h>

#include <functional>
#include <string>

#include "frame/MainFrame.h"

namespace fern {

class ScreenshotWhenLoaded {
public:
    ScreenshotWhenLoaded(Gtk::Window& window, CMainFrame& frame, std::string fsPath,
                         std::function<void()> done);
    ~ScreenshotWhenLoaded();

private:
    Gtk::Window& m_window;
    CMainFrame& m_frame;
    std::string m_path;
    std::function<void()> m_done;
    sigc::connection m_poll;
    int m_ticks = 0;
    int m_settled = 0;

    bool Poll();
    void Capture();
};

}  // namespace fern
