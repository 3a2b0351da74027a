#include "chrome/gtk/DownloadControlStripWidget.h"

#include "platform/fs/FileIo.h"
#include "platform/text/Encoding.h"

namespace fern {

namespace {
constexpr int kImageSize = 16;
constexpr int kHeight = 18;
}  // namespace

DownloadControlStripWidget::DownloadControlStripWidget()
    : Glib::ObjectBase("FernDownloadControlStrip"), Gtk::DrawingArea() {
    InstallDrawnItemsAccessible(GTK_WIDGET(gobj()), this, DrawnItemsKind::Toggles,
                                ToUtf8("ダウンロード コントロール"));
    add_events(Gdk::BUTTON_PRESS_MASK);
    set_has_tooltip(true);
    signal_query_tooltip().connect(sigc::mem_fun(*this, &DownloadControlStripWidget::OnQueryTooltip));
    set_valign(Gtk::ALIGN_CENTER);
}

DownloadControlStripWidget::~DownloadControlStripWidget() { DetachDrawnItemsAccessible(GTK_WIDGET(gobj())); }

bool DownloadControlStripWidget::LoadImages(const std::string& resFolder) {
    m_images.clear();
    try {
        auto bitmap = Gdk::Pixbuf::create_from_file(resFolder + "/tbs.bmp");
        bitmap = bitmap->add_alpha(true, 255, 0, 255);
        for (int i = 0; i < kDlcIndicatorCount; ++i) {
            int x = DlcIndicatorAt(i).image * kImageSize;
            if (x + kImageSize > bitmap->get_width() || bitmap->get_height() < kImageSize) {
                m_images.clear();
                break;
            }
            m_images.push_back(Gdk::Pixbuf::create_subpixbuf(bitmap, x, 0, kImageSize, kImageSize));
        }
    } catch (const Glib::Error& e) {
        g_message("status bar images not loaded: %s", e.what().c_str());
    }
    queue_draw();
    return !m_images.empty();
}

void DownloadControlStripWidget::SetFlags(std::uint32_t flags) {
    if (m_strip.SetFlags(flags)) Changed();
}

void DownloadControlStripWidget::SetStyle(int style) {
    if (m_strip.SetStyle(style)) StyleChanged();
}

void DownloadControlStripWidget::StyleChanged() {
    queue_resize();
    Changed();
}

void DownloadControlStripWidget::Changed() {
    queue_draw();
    DrawnItemsAccessibleChanged(GTK_WIDGET(gobj()));
}

void DownloadControlStripWidget::get_preferred_width_vfunc(int& minimum, int& natural) const {
    minimum = natural = m_strip.Width();
}

void DownloadControlStripWidget::get_preferred_height_vfunc(int& minimum, int& natural) const {
    minimum = natural = kHeight;
}

bool DownloadControlStripWidget::AccessBox(int index, GdkRectangle& box) const {
    if (!m_strip.Expanded() || index < 0 || index >= kDlcIndicatorCount) return false;
    int height = const_cast<DownloadControlStripWidget*>(this)->get_allocated_height();
    box.x = CDownloadControlStrip::IndicatorX(index);
    box.y = 0;
    box.width = kDlcIndicatorPitch;
    box.height = height > 0 ? height : kHeight;
    return true;
}

std::string DownloadControlStripWidget::AccessName(int index) const {
    return ToUtf8(DlcIndicatorAt(index).name);
}

bool DownloadControlStripWidget::on_draw(const Cairo::RefPtr<Cairo::Context>& cr) {
    int height = get_allocated_height();
    auto style = get_style_context();
    Gdk::RGBA ink = style->get_color(style->get_state());
    if (!m_strip.Expanded()) {
        // A grip: two dotted lines a user can find and click.
        cr->set_source_rgba(ink.get_red(), ink.get_green(), ink.get_blue(), 0.6);
        for (int y = 2; y + 1 < height - 1; y += 3) {
            cr->rectangle(0, y, 1, 1);
            cr->rectangle(2, y + 1, 1, 1);
        }
        cr->fill();
        return true;
    }
    int top = (height - kImageSize) / 2;
    for (int i = 0; i < kDlcIndicatorCount; ++i) {
        int x = CDownloadControlStrip::IndicatorX(i) + (kDlcIndicatorPitch - kImageSize) / 2;
        double alpha = m_strip.Lit(i) ? 1.0 : 0.25;
        if (i < static_cast<int>(m_images.size())) {
            Gdk::Cairo::set_source_pixbuf(cr, m_images[i], x, top);
            cr->paint_with_alpha(alpha);
        } else {
            cr->set_source_rgba(ink.get_red(), ink.get_green(), ink.get_blue(), alpha);
            cr->rectangle(x + 2, top + 2, kImageSize - 4, kImageSize - 4);
            cr->fill();
        }
    }
    return true;
}

bool DownloadControlStripWidget::on_button_press_event(GdkEventButton* event) {
    if (event->type != GDK_BUTTON_PRESS || event->button != 1) return false;
    int before = m_strip.Style();
    m_strip.Click(static_cast<int>(event->x));
    if (m_strip.Style() != before) StyleChanged();
    return true;
}

bool DownloadControlStripWidget::OnQueryTooltip(int x, int, bool keyboard,
                                                const Glib::RefPtr<Gtk::Tooltip>& tooltip) {
    int index = keyboard ? -1 : m_strip.IndicatorAt(x);
    if (index < 0) {
        tooltip->set_text(ToUtf8("ダウンロード コントロール"));
        return true;
    }
    tooltip->set_text(ToUtf8(DlcIndicatorAt(index).name));
    return true;
}

}  // namespace fern
