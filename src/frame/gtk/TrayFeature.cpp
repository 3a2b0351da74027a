#include "frame/gtk/TrayFeature.h"

#include <algorithm>

#include "commands/CommandIds.h"
#include "commands/MenuLayout.h"
#include "frame/TrayRules.h"
#include "frame/gtk/TrayOptionsPage.h"
#include "platform/fs/FsPath.h"
#include "platform/text/Encoding.h"
#include "ui/gtk/MenuBuilder.h"

namespace fern {

TrayFeature::TrayFeature(Services services)
    : m_services(services),
      m_icon({[this] {
                  if (m_inTray) FromTray();
              },
              [this] { PopUpMenu(); }}),
      m_hotKey([this] { Toggle(); }) {
    BindHotKey();
    m_changed = m_services.settings.Subscribe(SettingsSection::TaskTray, [this] {
        BindHotKey();
        // The icon and tip just chosen show at once.
        if (m_inTray) {
            const TaskTraySettings& tray = m_services.settings.Live().taskTray;
            if (!m_icon.Show(PathFromText(TrayIconFile(tray)), ToUtf8(TrayTipText(tray)))) FromTray();
        }
    });
    m_exitStep = m_services.frame.Exit().removeTrayIcon.Connect([this] { m_icon.Hide(); });
    m_services.window.signal_window_state_event().connect(
        [this](GdkEventWindowState* event) {
            bool minimized = (event->changed_mask & GDK_WINDOW_STATE_ICONIFIED) &&
                             (event->new_window_state & GDK_WINDOW_STATE_ICONIFIED);
            if (minimized && !m_inTray &&
                MinimizeGoesToTray(m_services.settings.Live().taskTray, m_services.fullScreen.On()))
                Glib::signal_idle().connect_once([this] {
                    if (!m_inTray) ToTray();
                });
            return false;
        },
        false);
    // Shown by another way (a later start, the request channel): out of the tray.
    m_services.window.signal_show().connect([this] {
        if (!m_inTray) return;
        m_icon.Hide();
        m_inTray = false;
        m_services.placement.Hold(false);
    });
    auto context = std::make_shared<MenuContext>();
    context->router = &m_services.router;
    context->run = [this](int id) { m_services.router.Run(id); };
    m_menu = BuildMenu(TrayMenu(), context);
    m_menu->attach_to_widget(m_services.window);
    m_services.pages.Add("タスク トレイ", [this] {
        return std::make_unique<TrayOptionsPage>(m_services.settings, m_hotKey.Note(),
                                                 m_hotKey.DesktopTrigger());
    });
}

void TrayFeature::RegisterCommands(CCommandRouter& router) {
    router.Add(ID_TASK_TRAY, [this] { Toggle(); });
    // The View menu's item carries the hot key that works now, as the desktop
    // names it when it bound one.
    router.AddDynamicMenu(kTaskTrayMenu, [this] {
        return std::vector<DynamicMenuItem>{
            {ID_TASK_TRAY, TrayMenuText(m_hotKey.Bound(), m_hotKey.DesktopTrigger()), false}};
    });
}

void TrayFeature::Toggle() {
    if (m_inTray) FromTray();
    else ToTray();
}

void TrayFeature::ToTray() {
    const TaskTraySettings& tray = m_services.settings.Live().taskTray;
    if (!m_icon.Show(PathFromText(TrayIconFile(tray)), ToUtf8(TrayTipText(tray)))) {
        // No desktop shows the icon: the window must stay reachable.
        m_services.window.iconify();
        return;
    }
    m_inTray = true;
    m_services.placement.Hold(true);
    m_services.window.hide();
    m_alsoHidden.clear();
    for (Gtk::Window* other : Gtk::Window::list_toplevels())
        if (other->get_visible() && other->get_window_type() == Gtk::WINDOW_TOPLEVEL) {
            other->hide();
            m_alsoHidden.push_back(other);
        }
}

void TrayFeature::FromTray() {
    m_icon.Hide();
    m_inTray = false;
    m_services.placement.Hold(false);
    if (!m_services.fullScreen.On()) m_services.placement.Restore();
    m_services.window.show();
    m_services.window.deiconify();
    m_services.window.present();
    // Only windows that still exist: one may have been closed meanwhile.
    std::vector<Gtk::Window*> live = Gtk::Window::list_toplevels();
    for (Gtk::Window* other : m_alsoHidden)
        if (std::find(live.begin(), live.end(), other) != live.end()) other->show();
    m_alsoHidden.clear();
}

void TrayFeature::BindHotKey() {
    std::optional<TrayHotKey> key = HotKeyOfSetting(m_services.settings.Live().taskTray.hotKey);
    if (key && m_hotKey.Bound() == key) return;
    m_hotKey.Bind(key);
}

void TrayFeature::PopUpMenu() {
    G_GNUC_BEGIN_IGNORE_DEPRECATIONS
    // Asked for over the bus or by the tray, with no event of ours to place it by.
    gtk_menu_popup(m_menu->gobj(), nullptr, nullptr, nullptr, nullptr, 0, gtk_get_current_event_time());
    G_GNUC_END_IGNORE_DEPRECATIONS
}

}  // namespace fern
