#include "frame/gtk/TrayIcon.h"

#include <gdk/gdkx.h>
#include <unistd.h>

#include <cstdio>

namespace fern {

namespace {

constexpr char kWatcher[] = "org.kde.StatusNotifierWatcher";
constexpr char kWatcherPath[] = "/StatusNotifierWatcher";
constexpr char kItemPath[] = "/StatusNotifierItem";
constexpr char kProgramIcon[] = "fern";
constexpr char kFallbackIcon[] = "web-browser";
constexpr int kCallTimeoutMs = 1000;
constexpr int kIconSize = 32;

constexpr char kItemXml[] =
    "<node><interface name='org.kde.StatusNotifierItem'>"
    "<method name='Activate'><arg type='i' direction='in'/><arg type='i' direction='in'/></method>"
    "<method name='SecondaryActivate'><arg type='i' direction='in'/><arg type='i' direction='in'/></method>"
    "<method name='ContextMenu'><arg type='i' direction='in'/><arg type='i' direction='in'/></method>"
    "<method name='Scroll'><arg type='i' direction='in'/><arg type='s' direction='in'/></method>"
    "<property name='Category' type='s' access='read'/><property name='Id' type='s' access='read'/>"
    "<property name='Title' type='s' access='read'/><property name='Status' type='s' access='read'/>"
    "<property name='IconName' type='s' access='read'/>"
    "<property name='IconPixmap' type='a(iiay)' access='read'/>"
    "<property name='ToolTip' type='(sa(iiay)ss)' access='read'/>"
    "<property name='ItemIsMenu' type='b' access='read'/>"
    "<signal name='NewIcon'/><signal name='NewToolTip'/><signal name='NewStatus'><arg type='s'/></signal>"
    "</interface></node>";

GVariant* CallSync(GDBusConnection* bus, const char* name, const char* path, const char* interface,
                   const char* method, GVariant* parameters) {
    GError* error = nullptr;
    GVariant* reply =
        g_dbus_connection_call_sync(bus, name, path, interface, method, parameters, nullptr,
                                    G_DBUS_CALL_FLAGS_NO_AUTO_START, kCallTimeoutMs, nullptr, &error);
    if (error) g_error_free(error);
    return reply;
}

// A watcher that a host (the desktop's panel) has reached: only then does
// an item show.
bool HostShowsItems(GDBusConnection* bus) {
    GVariant* reply = CallSync(bus, kWatcher, kWatcherPath, "org.freedesktop.DBus.Properties", "Get",
                               g_variant_new("(ss)", kWatcher, "IsStatusNotifierHostRegistered"));
    if (!reply) return false;
    GVariant* value = nullptr;
    g_variant_get(reply, "(v)", &value);
    bool shown = value && g_variant_is_of_type(value, G_VARIANT_TYPE_BOOLEAN) && g_variant_get_boolean(value);
    if (value) g_variant_unref(value);
    g_variant_unref(reply);
    return shown;
}

// An X11 tray exists when a tray manager owns the screen's tray selection.
bool X11TrayExists() {
    GdkDisplay* display = gdk_display_get_default();
    if (!display || !GDK_IS_X11_DISPLAY(display)) return false;
    GdkScreen* screen = gdk_display_get_default_screen(display);
    char name[64];
    std::snprintf(name, sizeof name, "_NET_SYSTEM_TRAY_S%d", gdk_x11_screen_get_screen_number(screen));
    Atom selection = gdk_x11_get_xatom_by_name_for_display(display, name);
    return XGetSelectionOwner(GDK_DISPLAY_XDISPLAY(display), selection) != None;
}

void RunLater(const std::function<void()>& action) {
    if (!action) return;
    auto* copy = new std::function<void()>(action);
    g_idle_add_full(
        G_PRIORITY_DEFAULT_IDLE,
        [](gpointer data) -> gboolean {
            (*static_cast<std::function<void()>*>(data))();
            return G_SOURCE_REMOVE;
        },
        copy, [](gpointer data) { delete static_cast<std::function<void()>*>(data); });
}

}  // namespace

bool TrayIcon::Show(const std::string& iconFile, const std::string& tip) {
    Hide();
    m_tip = tip;
    if (!iconFile.empty())
        m_pixbuf = gdk_pixbuf_new_from_file_at_size(iconFile.c_str(), kIconSize, kIconSize, nullptr);
    if (m_pixbuf && !gdk_pixbuf_get_has_alpha(m_pixbuf)) {
        GdkPixbuf* withAlpha = gdk_pixbuf_add_alpha(m_pixbuf, FALSE, 0, 0, 0);
        g_object_unref(m_pixbuf);
        m_pixbuf = withAlpha;
    }
    if (ShowItem() || ShowX11Icon()) return true;
    Hide();
    return false;
}

void TrayIcon::Hide() {
    if (m_itemId) {
        g_dbus_connection_unregister_object(m_bus, m_itemId);
        m_itemId = 0;
        if (GVariant* reply =
                CallSync(m_bus, "org.freedesktop.DBus", "/org/freedesktop/DBus", "org.freedesktop.DBus",
                         "ReleaseName", g_variant_new("(s)", m_busName.c_str())))
            g_variant_unref(reply);
    }
    if (m_bus) {
        g_object_unref(m_bus);
        m_bus = nullptr;
    }
    if (m_statusIcon) {
        g_object_unref(m_statusIcon);
        m_statusIcon = nullptr;
    }
    if (m_pixbuf) {
        g_object_unref(m_pixbuf);
        m_pixbuf = nullptr;
    }
}

bool TrayIcon::ShowItem() {
    m_bus = g_bus_get_sync(G_BUS_TYPE_SESSION, nullptr, nullptr);
    if (!m_bus || !HostShowsItems(m_bus)) return false;
    static GDBusNodeInfo* node = g_dbus_node_info_new_for_xml(kItemXml, nullptr);
    static const GDBusInterfaceVTable vtable = {&TrayIcon::OnMethod, &TrayIcon::OnProperty, nullptr, {}};
    m_itemId = g_dbus_connection_register_object(m_bus, kItemPath, node->interfaces[0], &vtable, this,
                                                 nullptr, nullptr);
    if (!m_itemId) return false;
    char name[96];
    std::snprintf(name, sizeof name, "org.kde.StatusNotifierItem-%d-1", static_cast<int>(getpid()));
    m_busName = name;
    GVariant* owned = CallSync(m_bus, "org.freedesktop.DBus", "/org/freedesktop/DBus", "org.freedesktop.DBus",
                               "RequestName", g_variant_new("(su)", name, 4u /* do not queue */));
    guint32 answer = 0;
    if (owned) {
        g_variant_get(owned, "(u)", &answer);
        g_variant_unref(owned);
    }
    GVariant* registered = answer == 1 ? CallSync(m_bus, kWatcher, kWatcherPath, kWatcher,
                                                  "RegisterStatusNotifierItem", g_variant_new("(s)", name))
                                       : nullptr;
    if (!registered) return false;
    g_variant_unref(registered);
    return true;
}

bool TrayIcon::ShowX11Icon() {
    if (!X11TrayExists()) return false;
    G_GNUC_BEGIN_IGNORE_DEPRECATIONS
    if (m_pixbuf) m_statusIcon = gtk_status_icon_new_from_pixbuf(m_pixbuf);
    else if (gtk_icon_theme_has_icon(gtk_icon_theme_get_default(), kProgramIcon))
        m_statusIcon = gtk_status_icon_new_from_icon_name(kProgramIcon);
    else m_statusIcon = gtk_status_icon_new_from_icon_name(kFallbackIcon);
    gtk_status_icon_set_tooltip_text(m_statusIcon, m_tip.c_str());
    gtk_status_icon_set_title(m_statusIcon, "Fern Browser");
    G_GNUC_END_IGNORE_DEPRECATIONS
    g_signal_connect(m_statusIcon, "activate", G_CALLBACK(+[](GtkStatusIcon*, gpointer self) {
                         RunLater(static_cast<TrayIcon*>(self)->m_actions.activate);
                     }),
                     this);
    g_signal_connect(m_statusIcon, "popup-menu", G_CALLBACK(+[](GtkStatusIcon*, guint, guint, gpointer self) {
                         RunLater(static_cast<TrayIcon*>(self)->m_actions.menu);
                     }),
                     this);
    return true;
}

void TrayIcon::OnMethod(GDBusConnection*, const gchar*, const gchar*, const gchar*, const gchar* method,
                        GVariant*, GDBusMethodInvocation* invocation, gpointer self) {
    auto* icon = static_cast<TrayIcon*>(self);
    std::string name = method;
    // Answered first: what the action does may end this icon.
    g_dbus_method_invocation_return_value(invocation, nullptr);
    if (name == "Activate" || name == "SecondaryActivate") RunLater(icon->m_actions.activate);
    else if (name == "ContextMenu") RunLater(icon->m_actions.menu);
}

// The icon's pixels as the item carries them: ARGB, network byte order.
GVariant* TrayIcon::Pixmaps() const {
    GVariantBuilder list;
    g_variant_builder_init(&list, G_VARIANT_TYPE("a(iiay)"));
    if (m_pixbuf && gdk_pixbuf_get_n_channels(m_pixbuf) == 4 &&
        gdk_pixbuf_get_bits_per_sample(m_pixbuf) == 8) {
        int width = gdk_pixbuf_get_width(m_pixbuf), height = gdk_pixbuf_get_height(m_pixbuf);
        int stride = gdk_pixbuf_get_rowstride(m_pixbuf);
        const guchar* pixels = gdk_pixbuf_read_pixels(m_pixbuf);
        GVariantBuilder bytes;
        g_variant_builder_init(&bytes, G_VARIANT_TYPE("ay"));
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x) {
                const guchar* p = pixels + y * stride + x * 4;
                for (guchar b : {p[3], p[0], p[1], p[2]}) g_variant_builder_add(&bytes, "y", b);
            }
        g_variant_builder_add(&list, "(iiay)", width, height, &bytes);
    }
    return g_variant_builder_end(&list);
}

GVariant* TrayIcon::OnProperty(GDBusConnection*, const gchar*, const gchar*, const gchar*,
                               const gchar* property, GError**, gpointer self) {
    auto* icon = static_cast<TrayIcon*>(self);
    std::string name = property;
    if (name == "Category") return g_variant_new_string("ApplicationStatus");
    if (name == "Id") return g_variant_new_string("fern");
    if (name == "Title") return g_variant_new_string("Fern Browser");
    if (name == "Status") return g_variant_new_string("Active");
    if (name == "IconName") return g_variant_new_string(icon->m_pixbuf ? "" : kProgramIcon);
    if (name == "IconPixmap") return icon->Pixmaps();
    if (name == "ItemIsMenu") return g_variant_new_boolean(FALSE);
    if (name == "ToolTip") {
        GVariantBuilder none;
        g_variant_builder_init(&none, G_VARIANT_TYPE("a(iiay)"));
        return g_variant_new("(sa(iiay)ss)", "", &none, icon->m_tip.c_str(), "");
    }
    return nullptr;
}

}  // namespace fern
