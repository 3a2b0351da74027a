#pragma once
// The main window's placement: opened where MFWndPlac says (pulled onto
// today's monitors), followed while the user moves and sizes the window,
// and written back at the end.
#include <gtkmm.h>

#include <vector>

#include "frame/FramePlacement.h"
#include "frame/MainFrame.h"
#include "platform/Signal.h"
#include "settings/SettingsService.h"

namespace fern {

class FramePlacementPart {
public:
    // Applies the stored placement to the window that is not shown yet and
    // writes the placement in the frame's exit step.
    FramePlacementPart(Gtk::Window& window, CMainFrame& frame, CSettingsService& settings);
    FramePlacementPart(const FramePlacementPart&) = delete;
    FramePlacementPart& operator=(const FramePlacementPart&) = delete;

    // While held (full screen, the tray) the window's boxes are not its
    // own place and are not followed.
    void Hold(bool held) { m_held = held; }
    // The window back in its normal box, maximized when it was.
    void Restore();
    bool Maximized() const { return m_maximized; }
    // The work areas of the monitors; the full monitor of the window.
    static std::vector<ScreenBox> Monitors();
    static ScreenBox MonitorOf(Gtk::Window& window);

private:
    Gtk::Window& m_window;
    CSettingsService& m_settings;
    ScreenBox m_box;
    bool m_maximized = false;
    bool m_minimized = false;
    bool m_held = false;
    SignalConnection m_exitStep;

    void Follow();
    void Save();
};

}  // namespace fern
