#include "frame/gtk/ReBarWidget.h"

#include <algorithm>

#include "ui/gtk/AccessibleName.h"

namespace fern {

namespace {
constexpr int kGripWidth = 8;
}  // namespace

// The handle at a band's left: two columns of dots.
class ReBarWidget::Grip : public Gtk::DrawingArea {
public:
    Grip(ReBarWidget& owner, int id) : m_owner(owner), m_id(id) {
        set_size_request(kGripWidth, -1);
        add_events(Gdk::BUTTON_PRESS_MASK | Gdk::BUTTON_RELEASE_MASK);
        set_tooltip_text("");
    }

protected:
    bool on_draw(const Cairo::RefPtr<Cairo::Context>& cr) override {
        Gdk::RGBA colour = get_style_context()->get_color(get_state_flags());
        cr->set_source_rgba(colour.get_red(), colour.get_green(), colour.get_blue(), 0.45);
        int height = get_allocated_height();
        for (int y = 3; y + 4 <= height - 2; y += 4) {
            cr->rectangle(1, y, 2, 2);
            cr->rectangle(5, y + 2, 2, 2);
        }
        cr->fill();
        return true;
    }
    void on_realize() override {
        Gtk::DrawingArea::on_realize();
        get_window()->set_cursor(Gdk::Cursor::create(get_display(), "move"));
    }
    bool on_button_press_event(GdkEventButton* event) override {
        if (event->button == 3) return false;  // to the bands' menu
        if (event->button != 1) return true;
        if (event->type == GDK_2BUTTON_PRESS) {
            m_pressed = false;
            m_owner.OwnRow(m_id);
            return true;
        }
        if (event->type == GDK_BUTTON_PRESS) {
            m_pressed = true;
            m_pressX = static_cast<int>(event->x);
        }
        return true;
    }
    bool on_button_release_event(GdkEventButton* event) override {
        if (event->button != 1 || !m_pressed) return true;
        m_pressed = false;
        int x = 0, y = 0;
        translate_coordinates(m_owner, static_cast<int>(event->x), static_cast<int>(event->y), x, y);
        int pressX = 0, unused = 0;
        translate_coordinates(m_owner, m_pressX, 0, pressX, unused);
        // A click without a move is no drag.
        if (std::abs(static_cast<int>(event->x) - m_pressX) < 3 && event->y >= 0 &&
            event->y < get_allocated_height())
            return true;
        // Later: the drop rebuilds the bands and may take this grip away.
        Glib::signal_idle().connect_once(
            [owner = &m_owner, id = m_id, pressX, x, y] { owner->Dropped(id, pressX, x, y); });
        return true;
    }

private:
    ReBarWidget& m_owner;
    int m_id;
    bool m_pressed = false;
    int m_pressX = 0;
};

// A band: its grip and its place. A band with a width of its own asks for
// that width (or what its bar cannot do without), so the others on its row
// keep their room.
class ReBarWidget::Frame : public Gtk::Box {
public:
    // Its bar's wish to expand stops here: the row says which band takes the room.
    Frame() : Gtk::Box(Gtk::ORIENTATION_HORIZONTAL, 2) { set_hexpand(false); }
    void SetWanted(int width) {
        if (width == m_wanted) return;
        m_wanted = width;
        queue_resize();
    }

protected:
    void get_preferred_width_vfunc(int& minimum, int& natural) const override {
        Gtk::Box::get_preferred_width_vfunc(minimum, natural);
        if (m_wanted > 0) natural = std::max(minimum, m_wanted);
    }

private:
    int m_wanted = 0;
};

ReBarWidget::ReBarWidget(const std::vector<Place>& places) : Gtk::Box(Gtk::ORIENTATION_VERTICAL, 0) {
    set_name("fern-bands");
    add_events(Gdk::BUTTON_PRESS_MASK);
    for (const Place& place : places) {
        auto slot = std::make_unique<Slot>();
        slot->id = place.id;
        slot->place = place.box;
        slot->frame = std::make_unique<Frame>();
        slot->grip = std::make_unique<Grip>(*this, place.id);
        SetAccessibleName(*slot->grip, std::string(place.name) + " の移動");
        if (Gtk::Container* parent = place.box->get_parent()) {
            g_object_ref(place.box->gobj());
            parent->remove(*place.box);
            slot->frame->pack_start(*place.box, Gtk::PACK_EXPAND_WIDGET);
            g_object_unref(place.box->gobj());
        } else {
            slot->frame->pack_start(*place.box, Gtk::PACK_EXPAND_WIDGET);
        }
        slot->frame->pack_start(*slot->grip, Gtk::PACK_SHRINK);
        slot->frame->reorder_child(*slot->grip, 0);
        place.box->set_hexpand(true);
        // A bar put into the place, shown or hidden, changes its size.
        m_watches.push_back(
            place.box->signal_size_allocate().connect([this](Gtk::Allocation&) { ScheduleVisibility(); }));
        // Whoever hides the place itself (full screen) hides the grip with it.
        m_watches.push_back(
            place.box->property_visible().signal_changed().connect([this] { ScheduleVisibility(); }));
        m_slots.push_back(std::move(slot));
    }
    SetBands(DefaultBands());
}

// The places go back to where the bands stood: the window outlives the bands.
ReBarWidget::~ReBarWidget() {
    m_pending.disconnect();
    for (sigc::connection& watch : m_watches) watch.disconnect();
    for (auto& row : m_rows)
        for (Gtk::Widget* child : row->get_children()) row->remove(*child);
    auto* parent = dynamic_cast<Gtk::Box*>(get_parent());
    for (auto& slot : m_slots) {
        g_object_ref(slot->place->gobj());
        slot->frame->remove(*slot->place);
        if (parent) parent->pack_start(*slot->place, Gtk::PACK_SHRINK);
        g_object_unref(slot->place->gobj());
    }
}

ReBarWidget::Slot* ReBarWidget::SlotOf(int id) {
    for (auto& slot : m_slots)
        if (slot->id == id) return slot.get();
    return nullptr;
}

void ReBarWidget::SetBands(const BandList& bands) {
    m_bands = bands;
    Rebuild();
}

void ReBarWidget::SetLeftOut(int id, bool out) {
    auto at = std::find(m_leftOut.begin(), m_leftOut.end(), id);
    if (out == (at != m_leftOut.end())) return;
    if (out) m_leftOut.push_back(id);
    else m_leftOut.erase(at);
    UpdateVisibility();
}

void ReBarWidget::Rebuild() {
    for (auto& row : m_rows) {
        for (Gtk::Widget* child : row->get_children()) row->remove(*child);
        remove(*row);
    }
    m_rows.clear();
    Gtk::Box* row = nullptr;
    for (std::size_t i = 0; i < m_bands.size(); ++i) {
        const BandState& band = m_bands[i];
        Slot* slot = SlotOf(band.id);
        if (!slot) continue;
        if (!row || (band.style & kBandBreak)) {
            m_rows.push_back(std::make_unique<Gtk::Box>(Gtk::ORIENTATION_HORIZONTAL, 4));
            row = m_rows.back().get();
            pack_start(*row, Gtk::PACK_SHRINK);
        }
        bool lastOnRow = i + 1 == m_bands.size() || (m_bands[i + 1].style & kBandBreak);
        slot->frame->SetWanted(lastOnRow ? 0 : band.width);
        row->pack_start(*slot->frame, lastOnRow ? Gtk::PACK_EXPAND_WIDGET : Gtk::PACK_SHRINK);
        slot->grip->set_no_show_all(true);
    }
    for (auto& r : m_rows) r->show();
    UpdateVisibility();
}

void ReBarWidget::ScheduleVisibility() {
    if (m_pending.connected()) return;
    m_pending = Glib::signal_idle().connect([this] {
        UpdateVisibility();
        return false;
    });
}

// A band shows while its switch is on and it is not left out; its grip
// while the bands are not fixed and its place holds a shown bar (an empty
// band takes no room).
void ReBarWidget::UpdateVisibility() {
    bool fixed = BandsFixed(m_bands);
    for (const BandState& band : m_bands) {
        Slot* slot = SlotOf(band.id);
        if (!slot) continue;
        bool holds = false;
        for (Gtk::Widget* child : slot->place->get_children()) holds = holds || child->get_visible();
        holds = holds && slot->place->get_visible();
        bool shown = !(band.style & kBandHidden) &&
                     std::find(m_leftOut.begin(), m_leftOut.end(), band.id) == m_leftOut.end();
        if (slot->frame->get_visible() != shown) slot->frame->set_visible(shown);
        if (slot->grip->get_visible() != (holds && !fixed)) slot->grip->set_visible(holds && !fixed);
    }
}

void ReBarWidget::OwnRow(int id) {
    int index = BandIndex(m_bands, id);
    if (index < 0) return;
    MoveBand(m_bands, index, index, BandDrop::NewRow);
    Rebuild();
    if (changed) changed(m_bands);
}

void ReBarWidget::Dropped(int id, int pressX, int x, int y) {
    int from = BandIndex(m_bands, id);
    if (from < 0) return;
    int size = static_cast<int>(m_bands.size());
    if (y < 0) {
        MoveBand(m_bands, from, 0, BandDrop::NewRow);
    } else if (y >= get_allocated_height()) {
        MoveBand(m_bands, from, size, BandDrop::NewRow);
    } else {
        int target = -1, targetX = 0, targetWidth = 0;
        for (int i = 0; i < size; ++i) {
            Slot* slot = SlotOf(m_bands[static_cast<std::size_t>(i)].id);
            if (!slot || !slot->frame->get_visible()) continue;
            int fx = 0, fy = 0;
            slot->frame->translate_coordinates(*this, 0, 0, fx, fy);
            int w = slot->frame->get_allocated_width(), h = slot->frame->get_allocated_height();
            if (x >= fx && x < fx + w && y >= fy && y < fy + h) {
                target = i;
                targetX = fx;
                targetWidth = w;
                break;
            }
        }
        if (target < 0) return;
        if (target == from) {
            // On its own row: the band before it gives or takes the distance.
            if (from == 0 || (m_bands[static_cast<std::size_t>(from)].style & kBandBreak)) return;
            BandState& before = m_bands[static_cast<std::size_t>(from) - 1];
            Slot* slot = SlotOf(before.id);
            int width = slot ? slot->frame->get_allocated_width() : before.width;
            before.width = std::clamp(width + x - pressX, 0, kBandMaxWidth);
        } else if (x < targetX + targetWidth / 2) {
            MoveBand(m_bands, from, target, BandDrop::OnItsRow);
            ShareRow(id);
        } else {
            MoveBand(m_bands, from, target + 1, BandDrop::AfterPrevious);
            ShareRow(id);
        }
    }
    Rebuild();
    if (changed) changed(m_bands);
}

// The bands of a row that have no width of their own share the row evenly,
// so a long bar does not squeeze the one that joined it.
void ReBarWidget::ShareRow(int id) {
    int index = BandIndex(m_bands, id), size = static_cast<int>(m_bands.size());
    if (index < 0) return;
    int first = index, last = index;
    while (first > 0 && !(m_bands[static_cast<std::size_t>(first)].style & kBandBreak)) --first;
    while (last + 1 < size && !(m_bands[static_cast<std::size_t>(last) + 1].style & kBandBreak)) ++last;
    int share = get_allocated_width() / (last - first + 1);
    for (int i = first; i < last; ++i)
        if (m_bands[static_cast<std::size_t>(i)].width == 0)
            m_bands[static_cast<std::size_t>(i)].width = share;
}

bool ReBarWidget::on_button_press_event(GdkEventButton* event) {
    if (event->type == GDK_BUTTON_PRESS && event->button == 3 && contextMenu) {
        contextMenu(event);
        return true;
    }
    return Gtk::Box::on_button_press_event(event);
}

}  // namespace fern
