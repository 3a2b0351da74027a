#include "frame/gtk/FullScreen.h"

#include <gdk/gdkx.h>

#include "commands/CommandIds.h"

namespace fern {

namespace {

// The band area and the sides a bar docks to.
constexpr WindowPlace kBands[] = {WindowPlace::MenuBar,   WindowPlace::ToolBands, WindowPlace::AddressBar,
                                  WindowPlace::DockTop,   WindowPlace::DockLeft,  WindowPlace::DockRight,
                                  WindowPlace::DockBottom};

bool WindowManagerFillsScreen(Gtk::Window& window) {
    GdkScreen* screen = window.get_screen()->gobj();
    if (!GDK_IS_X11_SCREEN(screen)) return true;
    return gdk_x11_screen_supports_net_wm_hint(screen,
                                               gdk_atom_intern_static_string("_NET_WM_STATE_FULLSCREEN"));
}

}  // namespace

FullScreen::FullScreen(MainFrameWindow& window, FramePlacementPart& placement, CSettingsService& settings)
    : m_window(window),
      m_placement(placement),
      m_settings(settings),
      m_state(CFullScreenState::FromStored(settings.Live().mainFrame.fullScreenState)) {
    // Escape leaves before any page or bar sees it.
    m_window.signal_key_press_event().connect(
        [this](GdkEventKey* event) {
            constexpr guint kModifiers = GDK_CONTROL_MASK | GDK_MOD1_MASK | GDK_SHIFT_MASK;
            if (!On() || event->keyval != GDK_KEY_Escape || (event->state & kModifiers)) return false;
            Toggle();
            return true;
        },
        false);
    // Entered with the stored bars, which come back on leaving.
    if (m_state.On()) {
        ShowBars({false, false});
        Fill();
    }
}

void FullScreen::RegisterCommands(CCommandRouter& router) {
    router.Add(ID_FULL_SCREEN, {[this] { Toggle(); }, {}, [this] { return On(); }});
}

FullScreenBars FullScreen::BarsShown() {
    bool bands = false;
    for (WindowPlace place : kBands) bands = bands || m_window.PlaceShown(place);
    return {bands, m_window.PlaceShown(WindowPlace::StatusBar)};
}

void FullScreen::ShowBars(const FullScreenBars& bars) {
    for (WindowPlace place : kBands) m_window.ShowPlace(place, bars.bands);
    m_window.ShowPlace(WindowPlace::StatusBar, bars.statusBar);
}

void FullScreen::Fill() {
    m_placement.Hold(true);
    m_byHand = !WindowManagerFillsScreen(m_window);
    m_window.fullscreen();
    if (m_byHand) {
        ScreenBox monitor = FramePlacementPart::MonitorOf(m_window);
        m_window.move(monitor.x, monitor.y);
        m_window.resize(monitor.width, monitor.height);
    }
}

void FullScreen::Toggle() {
    if (!On()) {
        m_state.Enter(BarsShown());
        ShowBars({false, false});
        Fill();
    } else {
        ShowBars(m_state.Leave());
        m_window.unfullscreen();
        m_placement.Hold(false);
        if (m_byHand) m_placement.Restore();
    }
    Store();
}

void FullScreen::Store() {
    CFullScreenState state = m_state;
    m_settings.Change(SettingsSection::MainFrame, [&state](ProgramSettings& s) {
        s.mainFrame.fullScreen = state.On();
        s.mainFrame.bar1Shown = state.Kept().bands;
        s.mainFrame.bar2Shown = state.Kept().statusBar;
    });
}

}  // namespace fern
