#include "frame/gtk/TabBarWidget.h"

#include <algorithm>
#include <cmath>
#include <exception>

#include "frame/TabDrop.h"
#include "lists/BookmarkClip.h"
#include "platform/fs/FileIo.h"
#include "platform/text/Encoding.h"
#include "platform/text/UrlText.h"

namespace fern {

namespace {

constexpr int kPadX = 6;
constexpr int kPadY = 3;
constexpr int kImageWidth = 8;
constexpr int kImageHeight = 9;
constexpr int kImageGap = 3;
constexpr int kGap = 2;          // between buttons
constexpr int kArrowWidth = 16;  // each of the two scroll buttons
constexpr int kMinButton = 24;
constexpr int kDragBox = 7;  // the pointer may move this far before a drag starts
constexpr int kMaxImages = 64;
constexpr double kAsleepAlpha = 0.5;

// Drag source targets.
enum : guint { kOutUriList = 1, kOutUtf8, kOutTextUtf8, kOutText };
// Drop targets, in the order they are preferred.
enum : guint { kInBookmarks = 10, kInUriList, kInUtf8, kInTextUtf8, kInText };

template <typename F>
void Safely(F&& f) {
    try {
        f();
    } catch (const std::exception& e) {
        g_warning("tab bar: %s", e.what());
    } catch (...) {
        g_warning("tab bar: unexpected exception");
    }
}

Gdk::RGBA FromColorRef(std::uint32_t c) {
    Gdk::RGBA rgba;
    rgba.set_rgba_u((c & 0xFF) * 257, ((c >> 8) & 0xFF) * 257, ((c >> 16) & 0xFF) * 257);
    return rgba;
}

Gdk::RGBA Mix(const Gdk::RGBA& a, const Gdk::RGBA& b, double t) {
    Gdk::RGBA m;
    m.set_rgba(a.get_red() + (b.get_red() - a.get_red()) * t,
               a.get_green() + (b.get_green() - a.get_green()) * t,
               a.get_blue() + (b.get_blue() - a.get_blue()) * t, 1.0);
    return m;
}

Gdk::RGBA ThemeColor(const Glib::RefPtr<Gtk::StyleContext>& style, const char* name, const char* fallback) {
    Gdk::RGBA c;
    if (!style->lookup_color(name, c)) c.set(fallback);
    return c;
}

void SetColor(const Cairo::RefPtr<Cairo::Context>& cr, const Gdk::RGBA& c) {
    cr->set_source_rgba(c.get_red(), c.get_green(), c.get_blue(), c.get_alpha());
}

std::vector<Gtk::TargetEntry> DropTargets() {
    return {Gtk::TargetEntry(kBookmarkClipFormat, Gtk::TargetFlags(0), kInBookmarks),
            Gtk::TargetEntry("text/uri-list", Gtk::TargetFlags(0), kInUriList),
            Gtk::TargetEntry("UTF8_STRING", Gtk::TargetFlags(0), kInUtf8),
            Gtk::TargetEntry("text/plain;charset=utf-8", Gtk::TargetFlags(0), kInTextUtf8),
            Gtk::TargetEntry("text/plain", Gtk::TargetFlags(0), kInText)};
}

}  // namespace

TabBarWidget::TabBarWidget() : Glib::ObjectBase("FernTabBarWidget"), Gtk::DrawingArea() {
    InstallDrawnItemsAccessible(GTK_WIDGET(gobj()), this, DrawnItemsKind::PageTabs, ToUtf8("タブ"));
    add_events(Gdk::BUTTON_PRESS_MASK | Gdk::BUTTON_RELEASE_MASK | Gdk::POINTER_MOTION_MASK |
               Gdk::LEAVE_NOTIFY_MASK | Gdk::SCROLL_MASK | Gdk::SMOOTH_SCROLL_MASK);
    set_has_tooltip(true);
    signal_query_tooltip().connect(sigc::mem_fun(*this, &TabBarWidget::OnQueryTooltip), false);
    drag_dest_set(DropTargets(), Gtk::DEST_DEFAULT_ALL,
                  Gdk::ACTION_COPY | Gdk::ACTION_LINK | Gdk::ACTION_MOVE);
}

TabBarWidget::~TabBarWidget() { DetachDrawnItemsAccessible(GTK_WIDGET(gobj())); }

void TabBarWidget::SetModel(const CTabBarModel* model) {
    m_model = model;
    Refresh();
}

void TabBarWidget::SetLook(const TabBarLook& look) {
    m_look = look;
    Refresh();
}

bool TabBarWidget::LoadImages(const std::string& resFolder) {
    m_images.clear();
    std::string path = resFolder + "/ti.bmp";
    try {
        Glib::RefPtr<Gdk::Pixbuf> strip = Gdk::Pixbuf::create_from_file(path);
        if (strip->get_height() >= kImageHeight) {
            strip = strip->add_alpha(true, 255, 0, 255);
            int count = std::min(strip->get_width() / kImageWidth, kMaxImages);
            for (int i = 0; i < count; ++i)
                m_images.push_back(
                    Gdk::Pixbuf::create_subpixbuf(strip, i * kImageWidth, 0, kImageWidth, kImageHeight));
        }
    } catch (const Glib::Error& e) {
        g_message("tab bar images not loaded: %s", e.what().c_str());
    }
    Refresh();
    return !m_images.empty();
}

// Layout ---------------------------------------------------------------------------

Pango::FontDescription TabBarWidget::FontFor(bool selected) const {
    Pango::FontDescription font =
        const_cast<TabBarWidget*>(this)->get_pango_context()->get_font_description();
    const TabFontLook& f = selected ? m_look.selFont : m_look.unselFont;
    font.set_weight(static_cast<Pango::Weight>(f.weight));
    font.set_style(f.italic ? Pango::STYLE_ITALIC : Pango::STYLE_NORMAL);
    return font;
}

Glib::RefPtr<Pango::Layout> TabBarWidget::TextLayout(const std::string& text, bool selected) const {
    auto layout = const_cast<TabBarWidget*>(this)->create_pango_layout(text);
    layout->set_font_description(FontFor(selected));
    if ((selected ? m_look.selFont : m_look.unselFont).underline) {
        Pango::AttrList attrs;
        auto underline = Pango::Attribute::create_attr_underline(Pango::UNDERLINE_SINGLE);
        attrs.insert(underline);
        layout->set_attributes(attrs);
    }
    return layout;
}

void TabBarWidget::Measure() {
    int count = m_model ? m_model->Count() : 0;
    m_buttons.resize(count);
    // Row height from a sample with ascenders, descenders and a kanji (UTF-8
    // bytes written out, so the literal is not converted to Shift-JIS).
    int sampleWidth = 0, textHeight = 0;
    TextLayout("Ag\xE6\xBC\xA2", true)->get_pixel_size(sampleWidth, textHeight);
    m_rowHeight = std::max(textHeight, kImageHeight) + 2 * kPadY + 2;
    for (int i = 0; i < count; ++i) {
        const TabItem* item = m_model->Item(i);
        Button& b = m_buttons[i];
        b.text = TabButtonText(item->text, m_look.textLimit);
        b.asleep = item->asleep;
        b.image = (item->image >= 0 && item->image < static_cast<int>(m_images.size())) ? item->image : -1;
        if (m_look.fixedWidth > 0) {
            b.width = m_look.fixedWidth;
            continue;
        }
        int w = 0, h = 0;
        TextLayout(b.text, i == m_model->Selected())->get_pixel_size(w, h);
        b.width = std::max(kMinButton, 2 * kPadX + w + (b.image >= 0 ? kImageWidth + kImageGap : 0));
    }
}

int TabBarWidget::RowsFor(int width) const {
    if (!m_look.multiLine || m_buttons.empty()) return 1;
    int rows = 1, x = 0;
    for (const Button& b : m_buttons) {
        int w = std::min(b.width, std::max(width, 1));
        if (x > 0 && x + w > width) {
            ++rows;
            x = 0;
        }
        x += w + kGap;
    }
    return rows;
}

void TabBarWidget::Layout(int width) {
    int n = static_cast<int>(m_buttons.size());
    m_arrows = false;
    if (m_look.multiLine) {
        m_first = 0;
        int x = 0, y = 0;
        for (Button& b : m_buttons) {
            int w = std::min(b.width, std::max(width, 1));
            if (x > 0 && x + w > width) {
                x = 0;
                y += m_rowHeight;
            }
            b.box = Gdk::Rectangle(x, y, w, m_rowHeight);
            b.visible = true;
            x += w + kGap;
        }
        return;
    }

    auto span = [this](int from, int to) {  // width of buttons from..to-1 with their gaps
        int s = 0;
        for (int i = from; i < to; ++i) s += m_buttons[i].width + kGap;
        return s;
    };
    int view = width;
    if (span(0, n) - kGap > width) {
        m_arrows = true;
        view = std::max(0, width - 2 * kArrowWidth);
    }
    if (!m_arrows) m_first = 0;
    m_first = std::clamp(m_first, 0, std::max(0, n - 1));
    // No empty room at the right while buttons are hidden at the left.
    while (m_first > 0 && span(m_first - 1, n) - kGap <= view) --m_first;

    int x = -span(0, m_first);
    for (int i = 0; i < n; ++i) {
        Button& b = m_buttons[i];
        b.box = Gdk::Rectangle(x, 0, b.width, m_rowHeight);
        b.visible = i >= m_first && x < view;
        x += b.width + kGap;
    }
}

void TabBarWidget::Refresh() {
    Measure();
    int width = get_allocated_width();
    Layout(width);
    // Keep the selected button in view; the user's own scrolling stays until
    // the selection or the items change.
    int selected = m_model ? m_model->Selected() : -1;
    int count = static_cast<int>(m_buttons.size());
    bool changed = selected != m_keptSelected || count != m_keptCount;
    m_keptSelected = selected;
    m_keptCount = count;
    if (changed && m_arrows && selected >= 0 && selected < count) {
        int view = width - 2 * kArrowWidth;
        if (selected < m_first) m_first = selected;
        Layout(width);
        while (m_first < selected &&
               m_buttons[selected].box.get_x() + m_buttons[selected].box.get_width() > view) {
            ++m_first;
            Layout(width);
        }
    }
    if (m_hot >= static_cast<int>(m_buttons.size())) m_hot = -1;
    DrawnItemsAccessibleChanged(GTK_WIDGET(gobj()));
    queue_resize();
    queue_draw();
}

void TabBarWidget::ScrollBy(int buttons) {
    if (!m_arrows) return;
    int before = m_first;
    int n = static_cast<int>(m_buttons.size());
    m_first = std::clamp(m_first + buttons, 0, std::max(0, n - 1));
    Layout(get_allocated_width());
    if (m_first != before) queue_draw();
}

Gdk::Rectangle TabBarWidget::ArrowBox(int which) const {
    int width = get_allocated_width();
    return Gdk::Rectangle(width - (2 - which) * kArrowWidth, 0, kArrowWidth, m_rowHeight);
}

int TabBarWidget::HitTest(int x, int y) const {
    if (m_arrows && x >= get_allocated_width() - 2 * kArrowWidth) return -1;
    for (int i = 0; i < static_cast<int>(m_buttons.size()); ++i) {
        const Button& b = m_buttons[i];
        const Gdk::Rectangle& r = b.box;
        if (b.visible && x >= r.get_x() && x < r.get_x() + r.get_width() && y >= r.get_y() &&
            y < r.get_y() + r.get_height())
            return i;
    }
    return -1;
}

bool TabBarWidget::ItemBox(int index, Gdk::Rectangle& box) const {
    if (index < 0 || index >= static_cast<int>(m_buttons.size())) return false;
    box = m_buttons[index].box;
    if (m_arrows) {
        // Clipped to the part of the row left of the scroll buttons.
        int view = get_allocated_width() - 2 * kArrowWidth;
        int right = std::min(box.get_x() + box.get_width(), view);
        box.set_width(std::max(0, right - box.get_x()));
    }
    return m_buttons[index].visible;
}

Gtk::SizeRequestMode TabBarWidget::get_request_mode_vfunc() const {
    return Gtk::SIZE_REQUEST_HEIGHT_FOR_WIDTH;
}

void TabBarWidget::get_preferred_width_vfunc(int& minimum, int& natural) const {
    int total = 0;
    for (const Button& b : m_buttons) total += b.width + kGap;
    minimum = m_look.multiLine ? kMinButton : 2 * kArrowWidth + kMinButton;
    natural = std::max(minimum, total);
}

void TabBarWidget::get_preferred_height_for_width_vfunc(int width, int& minimum, int& natural) const {
    minimum = natural = RowsFor(width) * m_rowHeight;
}

void TabBarWidget::get_preferred_height_vfunc(int& minimum, int& natural) const {
    int width = get_allocated_width();
    get_preferred_height_for_width_vfunc(width > 1 ? width : 10000, minimum, natural);
}

void TabBarWidget::get_preferred_width_for_height_vfunc(int, int& minimum, int& natural) const {
    get_preferred_width_vfunc(minimum, natural);
}

void TabBarWidget::on_size_allocate(Gtk::Allocation& allocation) {
    Gtk::DrawingArea::on_size_allocate(allocation);
    Layout(allocation.get_width());
}

void TabBarWidget::on_style_updated() {
    Gtk::DrawingArea::on_style_updated();
    Refresh();
}

// Drawing -------------------------------------------------------------------------

bool TabBarWidget::on_draw(const Cairo::RefPtr<Cairo::Context>& cr) {
    auto style = get_style_context();
    const int width = get_allocated_width();
    const int height = get_allocated_height();
    Gdk::RGBA barBack = ThemeColor(style, "theme_bg_color", "#e8e8e7");
    Gdk::RGBA border = ThemeColor(style, "borders", "#b6b6b3");
    Gdk::RGBA accent = ThemeColor(style, "theme_selected_bg_color", "#3584e4");
    Gdk::RGBA selText, unselText, selBack, unselBack;
    if (m_look.customColours) {
        selText = FromColorRef(m_look.selText);
        unselText = FromColorRef(m_look.unselText);
        selBack = FromColorRef(m_look.selBack);
        unselBack = FromColorRef(m_look.unselBack);
    } else {
        selText = unselText = ThemeColor(style, "theme_fg_color", "#2e3436");
        selBack = ThemeColor(style, "theme_base_color", "#ffffff");
        Gdk::RGBA black;
        black.set_rgba(0, 0, 0);
        unselBack = Mix(barBack, black, 0.06);
    }

    SetColor(cr, barBack);
    cr->paint();

    int selected = m_model ? m_model->Selected() : -1;
    int view = m_arrows ? width - 2 * kArrowWidth : width;
    cr->save();
    cr->rectangle(0, 0, view, height);
    cr->clip();
    for (int i = 0; i < static_cast<int>(m_buttons.size()); ++i) {
        const Button& b = m_buttons[i];
        if (!b.visible) continue;
        bool sel = i == selected;
        double x = b.box.get_x() + 0.5, y = b.box.get_y() + 0.5;
        double w = b.box.get_width() - 1, h = b.box.get_height() - 1;
        // The selected button stands out by a pixel towards the pages.
        if (!sel) {
            if (m_look.belowPages) h -= 2;
            else {
                y += 2;
                h -= 2;
            }
        }
        Gdk::RGBA back = sel ? selBack : unselBack;
        if (i == m_hot && !sel) back = Mix(unselBack, selBack, 0.5);
        cr->rectangle(x, y, w, h);
        SetColor(cr, back);
        cr->fill_preserve();
        SetColor(cr, border);
        cr->set_line_width(1);
        cr->stroke();
        if (sel) {
            SetColor(cr, accent);
            cr->rectangle(b.box.get_x() + 1, m_look.belowPages ? y + h - 2.5 : y + 0.5, w - 1, 2);
            cr->fill();
        }

        int tx = b.box.get_x() + kPadX;
        int cy = static_cast<int>(y + h / 2);
        if (b.image >= 0) {
            Gdk::Cairo::set_source_pixbuf(cr, m_images[b.image], tx, cy - kImageHeight / 2);
            cr->paint();
            tx += kImageWidth + kImageGap;
        }
        auto layout = TextLayout(b.text, sel);
        int room = b.box.get_x() + b.box.get_width() - kPadX - tx;
        int tw = 0, th = 0;
        layout->get_pixel_size(tw, th);
        if (tw > room) {
            layout->set_width(std::max(room, 1) * PANGO_SCALE);
            layout->set_ellipsize(Pango::ELLIPSIZE_END);
            layout->get_pixel_size(tw, th);
        }
        Gdk::RGBA text = sel ? selText : unselText;
        // A sleeping tab reads as one that is there but not running.
        if (b.asleep) text.set_alpha(text.get_alpha() * kAsleepAlpha);
        SetColor(cr, text);
        cr->move_to(tx, cy - th / 2);
        layout->show_in_cairo_context(cr);
    }
    cr->restore();

    if (m_arrows) {
        for (int which = 0; which < 2; ++which) {
            Gdk::Rectangle r = ArrowBox(which);
            bool can = which == 0 ? m_first > 0
                                  : m_buttons.back().box.get_x() + m_buttons.back().box.get_width() > view;
            cr->rectangle(r.get_x() + 0.5, r.get_y() + 2.5, r.get_width() - 1, r.get_height() - 3);
            SetColor(cr, unselBack);
            cr->fill_preserve();
            SetColor(cr, border);
            cr->set_line_width(1);
            cr->stroke();
            double cx = r.get_x() + r.get_width() / 2.0, cyy = r.get_y() + 2 + (r.get_height() - 2) / 2.0;
            double d = which == 0 ? -1 : 1;
            cr->move_to(cx + 3 * d, cyy);
            cr->line_to(cx - 2 * d, cyy - 5);
            cr->line_to(cx - 2 * d, cyy + 5);
            cr->close_path();
            SetColor(cr, can ? unselText : border);
            cr->fill();
        }
    }
    return true;
}

// Pointer -------------------------------------------------------------------------

void TabBarWidget::ClickItem(int index) {
    if (!m_model || !m_model->Item(index)) return;
    if (index != m_model->Selected() && m_events) m_events->OnTabSelChange(index);
}

bool TabBarWidget::on_button_press_event(GdkEventButton* event) {
    int x = static_cast<int>(event->x), y = static_cast<int>(event->y);
    Safely([&] {
        if (m_arrows && x >= get_allocated_width() - 2 * kArrowWidth) {
            if (event->button == 1 && event->type == GDK_BUTTON_PRESS)
                ScrollBy(x < get_allocated_width() - kArrowWidth ? -1 : +1);
            return;
        }
        int hit = HitTest(x, y);
        if (event->button == 1) {
            if (event->type == GDK_BUTTON_PRESS) {
                m_pressIndex = hit;
                m_pressX = event->x;
                m_pressY = event->y;
                if (hit >= 0) ClickItem(hit);
            } else if (event->type == GDK_2BUTTON_PRESS) {
                if (m_events) m_events->OnTabLButtonDblClick(hit);
            }
        } else if (event->button == 2 && event->type == GDK_BUTTON_PRESS) {
            // Each press acts; the second of a double click is reported as
            // the double click (GDK's extra double-click event is not).
            int time = 400, distance = 5;
            g_object_get(gtk_widget_get_settings(GTK_WIDGET(gobj())), "gtk-double-click-time", &time,
                         "gtk-double-click-distance", &distance, nullptr);
            bool dbl = !m_lastMiddleWasDouble &&
                       event->time - m_lastMiddleTime <= static_cast<guint32>(time) &&
                       std::abs(event->x - m_lastMiddleX) <= distance &&
                       std::abs(event->y - m_lastMiddleY) <= distance;
            m_lastMiddleTime = event->time;
            m_lastMiddleX = event->x;
            m_lastMiddleY = event->y;
            m_lastMiddleWasDouble = dbl;
            if (m_events) {
                if (dbl) m_events->OnTabMButtonDblClick(hit);
                else m_events->OnTabMButtonDown(hit);
            }
        } else if (event->button == 3 && event->type == GDK_BUTTON_PRESS) {
            if (m_events) {
                if (hit >= 0) m_events->OnTabRButtonClick(hit);
                else m_events->OnTabBarRButtonClick();
            }
        }
    });
    return true;
}

bool TabBarWidget::on_button_release_event(GdkEventButton* event) {
    if (event->button == 1) m_pressIndex = -1;
    return true;
}

bool TabBarWidget::on_motion_notify_event(GdkEventMotion* event) {
    Safely([&] {
        int hot = HitTest(static_cast<int>(event->x), static_cast<int>(event->y));
        if (hot != m_hot) {
            m_hot = hot;
            queue_draw();
        }
        if (m_pressIndex >= 0 && (event->state & GDK_BUTTON1_MASK) &&
            (std::abs(event->x - m_pressX) > kDragBox || std::abs(event->y - m_pressY) > kDragBox)) {
            int index = m_pressIndex;
            m_pressIndex = -1;
            StartDragOut(index, reinterpret_cast<GdkEvent*>(event));
        }
    });
    return true;
}

bool TabBarWidget::on_leave_notify_event(GdkEventCrossing*) {
    if (m_hot != -1) {
        m_hot = -1;
        queue_draw();
    }
    return false;
}

bool TabBarWidget::on_scroll_event(GdkEventScroll* event) {
    if (!m_arrows) return false;
    switch (event->direction) {
        case GDK_SCROLL_UP:
        case GDK_SCROLL_LEFT: ScrollBy(-1); break;
        case GDK_SCROLL_DOWN:
        case GDK_SCROLL_RIGHT: ScrollBy(+1); break;
        case GDK_SCROLL_SMOOTH: {
            m_scrollDelta +=
                std::abs(event->delta_x) > std::abs(event->delta_y) ? event->delta_x : event->delta_y;
            while (m_scrollDelta >= 1) {
                ScrollBy(+1);
                m_scrollDelta -= 1;
            }
            while (m_scrollDelta <= -1) {
                ScrollBy(-1);
                m_scrollDelta += 1;
            }
            break;
        }
    }
    return true;
}

bool TabBarWidget::OnQueryTooltip(int x, int y, bool keyboard, const Glib::RefPtr<Gtk::Tooltip>& tooltip) {
    if (keyboard || !m_events) return false;
    int hit = HitTest(x, y);
    if (hit < 0) return false;
    std::string title;
    Safely([&] { title = m_events->TabTitle(hit); });
    if (title.empty()) return false;
    tooltip->set_text(ToUtf8(title));
    Gdk::Rectangle box;
    if (ItemBox(hit, box)) tooltip->set_tip_area(box);
    return true;
}

// Drag and drop ---------------------------------------------------------------------

void TabBarWidget::StartDragOut(int index, GdkEvent* event) {
    if (!m_events) return;
    m_events->OnTabDragOut(index);
    std::string raw = TrimDropText(m_events->TabUrl(index));
    std::string url = TabDragUrl(raw);
    if (url.empty()) return;
    m_dragUrl = ToUtf8(url);
    m_dragUri = ToUtf8(raw);
    m_dragFileUri.clear();
    if (!m_tempFolder.empty()) {
        // The name is text; the folder is the file system's.
        std::string path =
            m_tempFolder + "/" + ToUtf8(InternetShortcutFileName(m_events->TabTitle(index), url));
        std::string error;
        if (WriteFileAtomic(path, InternetShortcutContent(url), &error)) {
            if (gchar* uri = g_filename_to_uri(path.c_str(), nullptr, nullptr)) {
                m_dragFileUri = uri;
                g_free(uri);
            }
        } else {
            LogWriteFailure(path, error);
        }
    }
    GtkTargetList* targets = gtk_target_list_new(nullptr, 0);
    gtk_target_list_add(targets, gdk_atom_intern_static_string("text/uri-list"), 0, kOutUriList);
    gtk_target_list_add(targets, gdk_atom_intern_static_string("UTF8_STRING"), 0, kOutUtf8);
    gtk_target_list_add(targets, gdk_atom_intern_static_string("text/plain;charset=utf-8"), 0, kOutTextUtf8);
    gtk_target_list_add(targets, gdk_atom_intern_static_string("text/plain"), 0, kOutText);
    gtk_drag_begin_with_coordinates(GTK_WIDGET(gobj()), targets,
                                    static_cast<GdkDragAction>(GDK_ACTION_COPY | GDK_ACTION_LINK), 1, event,
                                    static_cast<int>(m_pressX), static_cast<int>(m_pressY));
    gtk_target_list_unref(targets);
}

void TabBarWidget::on_drag_data_get(const Glib::RefPtr<Gdk::DragContext>&, Gtk::SelectionData& data,
                                    guint info, guint) {
    Safely([&] {
        if (m_dragUrl.empty()) return;
        if (info == kOutUriList) {
            std::vector<Glib::ustring> uris{m_dragUri};
            if (!m_dragFileUri.empty()) uris.push_back(m_dragFileUri);
            data.set_uris(uris);
        } else {
            data.set_text(m_dragUrl);
        }
    });
}

void TabBarWidget::on_drag_end(const Glib::RefPtr<Gdk::DragContext>&) {
    m_dragUrl.clear();
    m_dragUri.clear();
    m_dragFileUri.clear();
}

void TabBarWidget::on_drag_data_received(const Glib::RefPtr<Gdk::DragContext>& context, int x, int y,
                                         const Gtk::SelectionData& data, guint info, guint) {
    Safely([&] {
        if (!m_events || data.get_length() < 0) return;
        GdkModifierType mask = GdkModifierType(0);
        GdkDevice* device = gdk_drag_context_get_device(context->gobj());
        GdkWindow* window = gtk_widget_get_window(GTK_WIDGET(gobj()));
        if (device && window && gdk_device_get_source(device) != GDK_SOURCE_KEYBOARD)
            gdk_window_get_device_position(window, device, nullptr, nullptr, &mask);
        else
            mask = GdkModifierType(
                gdk_keymap_get_modifier_state(gdk_keymap_get_for_display(gdk_display_get_default())));
        bool shift = (mask & GDK_SHIFT_MASK) != 0;
        bool alt = (mask & GDK_MOD1_MASK) != 0;
        int hit = HitTest(x, y);
        const guchar* bytes = data.get_data();
        std::string raw(reinterpret_cast<const char*>(bytes ? bytes : reinterpret_cast<const guchar*>("")),
                        static_cast<std::size_t>(std::max(0, data.get_length())));
        if (info == kInBookmarks) {
            m_events->OnTabBookmarkDrop(raw, hit, shift, alt);
            return;
        }
        // Some sources count the terminating NUL of a text in its length.
        while (!raw.empty() && raw.back() == '\0') raw.pop_back();
        TabDropData drop;
        if (info == kInUriList) {
            drop = TabDropDataFromUriList(raw);
        } else {
            drop.kind = TabDropData::Kind::Text;
            drop.text = UrlFromUtf8(info == kInText ? std::string(data.get_text()) : raw);
        }
        m_events->OnTabDrop(drop, hit, shift, alt);
    });
}

// Accessibility --------------------------------------------------------------------

int TabBarWidget::AccessCount() const { return m_model ? m_model->Count() : 0; }

std::string TabBarWidget::AccessName(int index) const {
    const TabItem* item = m_model ? m_model->Item(index) : nullptr;
    return item ? ToUtf8(item->text) : std::string();
}

std::string TabBarWidget::AccessDescription(int index) const {
    const TabItem* item = m_model ? m_model->Item(index) : nullptr;
    return item && item->asleep ? ToUtf8("休止中") : std::string();
}

const void* TabBarWidget::AccessKey(int index) const {
    const TabItem* item = m_model ? m_model->Item(index) : nullptr;
    return item ? item->view : nullptr;
}

int TabBarWidget::AccessSelected() const { return m_model ? m_model->Selected() : -1; }

bool TabBarWidget::AccessBox(int index, GdkRectangle& box) const {
    Gdk::Rectangle r;
    bool visible = ItemBox(index, r);
    box = *r.gobj();
    return visible;
}

}  // namespace fern
