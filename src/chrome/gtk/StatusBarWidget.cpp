#include "chrome/gtk/StatusBarWidget.h"

#include "chrome/SecurityIndicators.h"
#include "platform/text/Encoding.h"

namespace fern {

namespace {

constexpr int kProgressWidth = 120;
constexpr int kIconSize = 16;

const char* ZoneIcon(int zone) {
    switch (zone) {
        case 0: return "computer-symbolic";
        case 1: return "network-workgroup-symbolic";
        case 2: return "security-high-symbolic";
        case 3: return "web-browser-symbolic";
        case 4: return "security-low-symbolic";
        default: return nullptr;
    }
}

void FlatIndicator(Gtk::Button& button, Gtk::Image& image) {
    button.set_relief(Gtk::RELIEF_NONE);
    button.set_focus_on_click(false);
    button.set_can_focus(false);
    button.set_valign(Gtk::ALIGN_CENTER);
    image.set_pixel_size(kIconSize);
    button.add(image);
}

void Name(Gtk::Widget& widget, const std::string& sjis) {
    widget.get_accessible()->set_name(ToUtf8(sjis));
    widget.set_tooltip_text(ToUtf8(sjis));
}

}  // namespace

StatusBarWidget::StatusBarWidget() : Gtk::Box(Gtk::ORIENTATION_HORIZONTAL, 4) {
    set_border_width(2);
    get_accessible()->set_name(ToUtf8("ステータス バー"));

    m_message.set_xalign(0.0f);
    m_message.set_ellipsize(Pango::ELLIPSIZE_END);
    m_message.set_single_line_mode(true);
    pack_start(m_message, Gtk::PACK_EXPAND_WIDGET);

    m_progress.set_size_request(kProgressWidth, -1);
    m_progress.set_valign(Gtk::ALIGN_CENTER);
    m_progress.set_show_text(true);
    m_progress.get_accessible()->set_name(ToUtf8("進行状況"));
    ShowProgress();
    pack_start(m_progress, Gtk::PACK_SHRINK);

    FlatIndicator(m_offline, m_offlineImage);
    Name(m_offline, "オフライン作業");
    m_offline.signal_toggled().connect([this] {
        if (m_showingOffline) return;
        // The toggle shows the offline state; only SetOffline changes it.
        m_showingOffline = true;
        m_offline.set_active(m_isOffline);
        m_showingOffline = false;
        offlineClicked.Emit();
    });
    pack_start(m_offline, Gtk::PACK_SHRINK);

    FlatIndicator(m_zone, m_zoneImage);
    m_zone.set_no_show_all(true);
    m_zone.signal_clicked().connect([this] { zoneClicked.Emit(); });
    pack_start(m_zone, Gtk::PACK_SHRINK);

    m_lockImage.set_pixel_size(kIconSize);
    m_lockImage.set_from_icon_name("channel-secure-symbolic", Gtk::ICON_SIZE_MENU);
    m_lock.add(m_lockImage);
    m_lock.set_valign(Gtk::ALIGN_CENTER);
    m_lock.set_size_request(kIconSize + 4, kIconSize);
    m_lockImage.set_no_show_all(true);
    Name(m_lockImage, "保護された接続");
    m_lock.add_events(Gdk::BUTTON_PRESS_MASK);
    m_lock.signal_button_press_event().connect([this](GdkEventButton* event) {
        if (event->type != GDK_2BUTTON_PRESS || event->button != 1) return false;
        lockDoubleClicked.Emit();
        return true;
    });
    pack_start(m_lock, Gtk::PACK_SHRINK);

    pack_start(m_strip, Gtk::PACK_SHRINK);
    m_strip.Strip().SetHooks([this](std::uint32_t bit) { downloadControlToggled.Emit(bit); },
                             [this](int style) { stripStyleChanged.Emit(style); });
}

void StatusBarWidget::SetText(const std::string& text) { m_message.set_text(ToUtf8(text)); }

std::string StatusBarWidget::Text() const { return FromUtf8(m_message.get_text().raw()); }

void StatusBarWidget::SetProgress(int percent) {
    // Redraw only when the filled part or the percentage changed.
    int width = m_progress.get_allocated_width();
    if (m_progressPane.SetPos(percent, width > 1 ? width : kProgressWidth)) ShowProgress();
}

void StatusBarWidget::ShowProgress() {
    m_progress.set_fraction(m_progressPane.Percent() / 100.0);
    m_progress.set_text(m_progressPane.Text());
}

void StatusBarWidget::SetOffline(bool offline) {
    if (offline == m_isOffline && m_offline.get_active() == offline) return;
    m_isOffline = offline;
    m_showingOffline = true;
    m_offline.set_active(offline);
    m_showingOffline = false;
    if (offline) m_offlineImage.set_from_icon_name("network-offline-symbolic", Gtk::ICON_SIZE_MENU);
    else m_offlineImage.clear();
    m_offlineImage.set_pixel_size(kIconSize);
}

void StatusBarWidget::SetZone(int zone) {
    const char* icon = ZoneIcon(zone);
    if (!icon) zone = -1;
    if (zone == m_zoneNumber) return;
    m_zoneNumber = zone;
    if (!icon) {
        m_zone.hide();
        return;
    }
    m_zoneImage.set_from_icon_name(icon, Gtk::ICON_SIZE_MENU);
    m_zoneImage.set_pixel_size(kIconSize);
    m_zoneImage.show();
    Name(m_zone, ZoneIndicatorText(zone));
    m_zone.show();
}

void StatusBarWidget::SetSecureLock(int level) {
    bool locked = SecureLockShown(level);
    if (locked == m_locked) return;
    m_locked = locked;
    m_lockImage.set_visible(locked);
}

void StatusBarWidget::SetDownloadControl(std::uint32_t flags) { m_strip.SetFlags(flags); }

}  // namespace fern
