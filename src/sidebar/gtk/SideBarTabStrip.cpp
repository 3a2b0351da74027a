#include "sidebar/gtk/SideBarTabStrip.h"

#include <algorithm>
#include <cmath>

#include "platform/text/Encoding.h"

namespace fern {

namespace {

constexpr TabStripMetrics kMetrics{};

void Star(const Cairo::RefPtr<Cairo::Context>& cr, double cx, double cy, double outer, double inner) {
    for (int i = 0; i < 10; ++i) {
        double r = i % 2 ? inner : outer;
        double a = -M_PI / 2 + i * M_PI / 5;
        if (i == 0) cr->move_to(cx + r * std::cos(a), cy + r * std::sin(a));
        else cr->line_to(cx + r * std::cos(a), cy + r * std::sin(a));
    }
    cr->close_path();
}

}  // namespace

void DrawSideBarPanelImage(const Cairo::RefPtr<Cairo::Context>& cr, int panel, double x, double y) {
    cr->save();
    cr->translate(x, y);
    cr->set_line_width(1.5);
    switch (panel) {
        case kBookmarkPanel:  // a star
            Star(cr, 8, 8.5, 7.5, 3.2);
            cr->fill();
            break;
        case kHistoryPanel:  // a clock
            cr->arc(8, 8, 6.5, 0, 2 * M_PI);
            cr->stroke();
            cr->move_to(8, 3.5);
            cr->line_to(8, 8);
            cr->line_to(11.5, 10);
            cr->stroke();
            break;
        case kHistorySearchPanel:  // a clock under a lens
            cr->arc(6.5, 6.5, 4.5, 0, 2 * M_PI);
            cr->stroke();
            cr->move_to(6.5, 4);
            cr->line_to(6.5, 6.5);
            cr->line_to(8.5, 7.5);
            cr->stroke();
            cr->set_line_width(2.5);
            cr->move_to(10, 10);
            cr->line_to(15, 15);
            cr->stroke();
            break;
        default:  // a globe
            cr->arc(8, 8, 6.5, 0, 2 * M_PI);
            cr->stroke();
            cr->save();
            cr->scale(0.45, 1);
            cr->arc(8 / 0.45, 8, 6.5, 0, 2 * M_PI);
            cr->restore();
            cr->stroke();
            cr->move_to(1.5, 8);
            cr->line_to(14.5, 8);
            cr->stroke();
            break;
    }
    cr->restore();
}

SideBarTabStrip::SideBarTabStrip() : Glib::ObjectBase("FernSideBarTabStrip"), Gtk::DrawingArea() {
    InstallDrawnItemsAccessible(GTK_WIDGET(gobj()), this, DrawnItemsKind::PageTabs, ToUtf8("ファーン バー"));
    add_events(Gdk::BUTTON_PRESS_MASK | Gdk::KEY_PRESS_MASK);
    set_can_focus(true);
    set_has_tooltip(true);
    signal_query_tooltip().connect(sigc::mem_fun(*this, &SideBarTabStrip::OnQueryTooltip), false);
}

SideBarTabStrip::~SideBarTabStrip() { DetachDrawnItemsAccessible(GTK_WIDGET(gobj())); }

void SideBarTabStrip::SetSelected(int index) {
    if (index == m_selected) return;
    m_selected = index;
    Changed();
}

void SideBarTabStrip::SetShowTitles(bool on) {
    if (on == m_showTitles) return;
    m_showTitles = on;
    queue_resize();
    Changed();
}

void SideBarTabStrip::Changed() {
    queue_draw();
    DrawnItemsAccessibleChanged(GTK_WIDGET(gobj()));
}

std::vector<int> SideBarTabStrip::TitleWidths() const {
    std::vector<int> widths;
    auto* self = const_cast<SideBarTabStrip*>(this);
    for (int i = 0; i < kSideBarPanelCount; ++i) {
        auto layout = self->create_pango_layout(ToUtf8(SideBarPanelTitle(i)));
        int w = 0, h = 0;
        layout->get_pixel_size(w, h);
        widths.push_back(w);
    }
    return widths;
}

std::vector<TabBox> SideBarTabStrip::Layout(int width) const {
    return LayoutSideBarTabs(TitleWidths(), m_showTitles, width, kMetrics);
}

Gtk::SizeRequestMode SideBarTabStrip::get_request_mode_vfunc() const {
    return Gtk::SIZE_REQUEST_HEIGHT_FOR_WIDTH;
}

void SideBarTabStrip::get_preferred_width_vfunc(int& minimum, int& natural) const {
    std::vector<TabBox> row = Layout(1 << 20);
    minimum = 0;
    natural = 0;
    for (const TabBox& box : row) {
        minimum = std::max(minimum, box.width);
        natural += box.width;
    }
}

void SideBarTabStrip::get_preferred_height_vfunc(int& minimum, int& natural) const {
    minimum = natural = SideBarTabsHeight(Layout(1 << 20), kMetrics);
}

void SideBarTabStrip::get_preferred_height_for_width_vfunc(int width, int& minimum, int& natural) const {
    minimum = natural = SideBarTabsHeight(Layout(width), kMetrics);
}

bool SideBarTabStrip::on_draw(const Cairo::RefPtr<Cairo::Context>& cr) {
    auto style = get_style_context();
    Gdk::RGBA fg = style->get_color(style->get_state());
    std::vector<TabBox> boxes = Layout(get_allocated_width());
    for (int i = 0; i < static_cast<int>(boxes.size()); ++i) {
        const TabBox& b = boxes[static_cast<std::size_t>(i)];
        bool selected = i == m_selected;
        cr->save();
        cr->rectangle(b.x + 1.5, b.y + 1.5, b.width - 3, b.height - 3);
        if (selected) {
            cr->set_source_rgba(1, 1, 1, 0.9);
            cr->fill_preserve();
            cr->set_source_rgba(fg.get_red(), fg.get_green(), fg.get_blue(), 0.6);
            cr->set_line_width(1);
            cr->stroke();
        } else {
            cr->set_source_rgba(fg.get_red(), fg.get_green(), fg.get_blue(), 0.08);
            cr->fill();
        }
        cr->restore();
        cr->set_source_rgba(fg.get_red(), fg.get_green(), fg.get_blue(), selected ? 1.0 : 0.75);
        double imageY = b.y + (b.height - kMetrics.image) / 2.0;
        DrawSideBarPanelImage(cr, i, b.x + kMetrics.padding, imageY);
        if (m_showTitles) {
            auto layout = create_pango_layout(ToUtf8(SideBarPanelTitle(i)));
            int w = 0, h = 0;
            layout->get_pixel_size(w, h);
            cr->move_to(b.x + kMetrics.padding + kMetrics.image + kMetrics.gap, b.y + (b.height - h) / 2.0);
            layout->show_in_cairo_context(cr);
        }
    }
    if (has_focus() && m_selected >= 0 && m_selected < static_cast<int>(boxes.size())) {
        const TabBox& b = boxes[static_cast<std::size_t>(m_selected)];
        style->render_focus(cr, b.x + 3, b.y + 3, b.width - 6, b.height - 6);
    }
    return true;
}

bool SideBarTabStrip::on_button_press_event(GdkEventButton* event) {
    if (event->button != 1 || event->type != GDK_BUTTON_PRESS) return false;
    int hit =
        SideBarTabAt(Layout(get_allocated_width()), static_cast<int>(event->x), static_cast<int>(event->y));
    if (hit >= 0 && m_choose) m_choose(hit);
    return hit >= 0;
}

bool SideBarTabStrip::on_key_press_event(GdkEventKey* event) {
    int to = -1;
    if (event->keyval == GDK_KEY_Right || event->keyval == GDK_KEY_Down) to = NextSideBarPanel(m_selected);
    if (event->keyval == GDK_KEY_Left || event->keyval == GDK_KEY_Up) to = PreviousSideBarPanel(m_selected);
    if (to < 0) return Gtk::DrawingArea::on_key_press_event(event);
    if (m_choose) m_choose(to);
    return true;
}

bool SideBarTabStrip::OnQueryTooltip(int x, int y, bool, const Glib::RefPtr<Gtk::Tooltip>& tooltip) {
    if (!m_infoTips) return false;
    std::vector<TabBox> boxes = Layout(get_allocated_width());
    int hit = SideBarTabAt(boxes, x, y);
    if (hit < 0) return false;
    tooltip->set_text(ToUtf8(SideBarPanelTitle(hit)));
    const TabBox& b = boxes[static_cast<std::size_t>(hit)];
    tooltip->set_tip_area(Gdk::Rectangle(b.x, b.y, b.width, b.height));
    return true;
}

std::string SideBarTabStrip::AccessName(int index) const { return ToUtf8(SideBarPanelTitle(index)); }

bool SideBarTabStrip::AccessBox(int index, GdkRectangle& box) const {
    std::vector<TabBox> boxes = Layout(const_cast<SideBarTabStrip*>(this)->get_allocated_width());
    if (index < 0 || index >= static_cast<int>(boxes.size())) return false;
    const TabBox& b = boxes[static_cast<std::size_t>(index)];
    box = GdkRectangle{b.x, b.y, b.width, b.height};
    return get_mapped();
}

void SideBarTabStrip::AccessClick(int index) {
    if (m_choose && index >= 0 && index < kSideBarPanelCount) m_choose(index);
}

}  // namespace fern
