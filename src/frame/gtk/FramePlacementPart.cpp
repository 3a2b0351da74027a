#include "frame/gtk/FramePlacementPart.h"

namespace fern {

namespace {

ScreenBox BoxOf(const Gdk::Rectangle& r) { return {r.get_x(), r.get_y(), r.get_width(), r.get_height()}; }

constexpr auto kNotNormal = GDK_WINDOW_STATE_MAXIMIZED | GDK_WINDOW_STATE_FULLSCREEN |
                            GDK_WINDOW_STATE_ICONIFIED | GDK_WINDOW_STATE_WITHDRAWN;

}  // namespace

FramePlacementPart::FramePlacementPart(Gtk::Window& window, CMainFrame& frame, CSettingsService& settings)
    : m_window(window), m_settings(settings) {
    m_window.get_default_size(m_box.width, m_box.height);
    if (std::optional<WindowPlacement> stored = m_settings.Live().mainFrame.Placement()) {
        if (std::optional<WindowOpening> opening = OpeningOfPlacement(*stored, Monitors())) {
            m_box = opening->box;
            m_maximized = opening->maximized;
            Restore();
        }
    }
    m_window.signal_configure_event().connect(
        [this](GdkEventConfigure*) {
            Follow();
            return false;
        },
        false);
    m_window.signal_window_state_event().connect(
        [this](GdkEventWindowState* event) {
            GdkWindowState state = event->new_window_state;
            m_minimized = (state & GDK_WINDOW_STATE_ICONIFIED) != 0;
            // Full screen hides whether the window under it is maximized.
            if (!m_held && !(state & (GDK_WINDOW_STATE_FULLSCREEN | GDK_WINDOW_STATE_WITHDRAWN)) &&
                !m_minimized)
                m_maximized = (state & GDK_WINDOW_STATE_MAXIMIZED) != 0;
            return false;
        },
        false);
    m_exitStep = frame.Exit().placementAndBars.Connect([this] { Save(); });
}

std::vector<ScreenBox> FramePlacementPart::Monitors() {
    std::vector<ScreenBox> monitors;
    Glib::RefPtr<Gdk::Display> display = Gdk::Display::get_default();
    if (!display) return monitors;
    for (int i = 0; i < display->get_n_monitors(); ++i) {
        Gdk::Rectangle area;
        display->get_monitor(i)->get_workarea(area);
        monitors.push_back(BoxOf(area));
    }
    return monitors;
}

ScreenBox FramePlacementPart::MonitorOf(Gtk::Window& window) {
    Glib::RefPtr<Gdk::Display> display = window.get_display();
    Glib::RefPtr<Gdk::Monitor> monitor;
    if (Glib::RefPtr<Gdk::Window> gdk = window.get_window()) monitor = display->get_monitor_at_window(gdk);
    if (!monitor) monitor = display->get_primary_monitor();
    if (!monitor && display->get_n_monitors() > 0) monitor = display->get_monitor(0);
    Gdk::Rectangle area;
    if (monitor) monitor->get_geometry(area);
    return BoxOf(area);
}

// The window's own box, when it shows normally.
void FramePlacementPart::Follow() {
    Glib::RefPtr<Gdk::Window> gdk = m_window.get_window();
    if (m_held || !gdk || !m_window.get_visible() || (gdk->get_state() & kNotNormal)) return;
    m_window.get_position(m_box.x, m_box.y);
    m_window.get_size(m_box.width, m_box.height);
}

void FramePlacementPart::Restore() {
    m_window.move(m_box.x, m_box.y);
    m_window.resize(m_box.width, m_box.height);
    if (m_maximized) m_window.maximize();
}

void FramePlacementPart::Save() {
    Follow();
    WindowPlacement placement = PlacementOfWindow(m_box, m_maximized, m_minimized && !m_held);
    m_settings.Change(SettingsSection::MainFrame,
                      [&placement](ProgramSettings& s) { s.mainFrame.SetPlacement(placement); });
}

}  // namespace fern
