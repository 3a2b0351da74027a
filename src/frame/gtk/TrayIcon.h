#pragma once
// The status icon of the task tray: a StatusNotifierItem on the session bus
// where a desktop shows those, else an X11 tray icon where the desktop has
// an X11 tray. Show says whether an icon is actually shown, so the caller
// never hides the window with no way back.
#include <gtk/gtk.h>

#include <functional>
#include <string>

namespace fern {

class TrayIcon {
public:
    struct Actions {
        std::function<void()> activate;  // a click on the icon
        std::function<void()> menu;      // the icon's menu is asked for
    };
    explicit TrayIcon(Actions actions) : m_actions(std::move(actions)) {}
    ~TrayIcon() { Hide(); }
    TrayIcon(const TrayIcon&) = delete;
    TrayIcon& operator=(const TrayIcon&) = delete;

    // `iconFile` (the file system's bytes; empty or unreadable: the
    // program's icon) and the tool tip (UTF-8). False when nothing shows it.
    bool Show(const std::string& iconFile, const std::string& tip);
    void Hide();
    bool Shown() const { return m_itemId != 0 || m_statusIcon; }

private:
    Actions m_actions;
    // The StatusNotifierItem.
    GDBusConnection* m_bus = nullptr;
    guint m_itemId = 0;
    std::string m_busName;
    std::string m_tip;
    GdkPixbuf* m_pixbuf = nullptr;  // a file's icon; null for the program's
    // The X11 tray icon.
    GtkStatusIcon* m_statusIcon = nullptr;

    bool ShowItem();
    bool ShowX11Icon();
    static void OnMethod(GDBusConnection*, const gchar*, const gchar*, const gchar*, const gchar* method,
                         GVariant*, GDBusMethodInvocation* invocation, gpointer self);
    static GVariant* OnProperty(GDBusConnection*, const gchar*, const gchar*, const gchar*,
                                const gchar* property, GError**, gpointer self);
    GVariant* Pixmaps() const;
};

}  // namespace fern
