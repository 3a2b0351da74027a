#include "ui/gtk/OptionsControls.h"

#include "platform/text/Encoding.h"
#include "ui/gtk/MenuBuilder.h"

namespace fern {

namespace {

Gtk::Box& Row(Gtk::Box& column, int indent) {
    auto* row = Gtk::manage(new Gtk::Box(Gtk::ORIENTATION_HORIZONTAL, 6));
    row->set_margin_start(indent);
    column.pack_start(*row, Gtk::PACK_SHRINK);
    return *row;
}

Gtk::Label& LabelFor(Gtk::Box& row, const std::string& text, Gtk::Widget& target) {
    auto* label = Gtk::manage(new Gtk::Label(MnemonicLabel(text), true));
    label->set_mnemonic_widget(target);
    label->set_xalign(0);
    row.pack_start(*label, Gtk::PACK_SHRINK);
    // The field is called what its label says, as a check box is.
    if (AtkObject* accessible = gtk_widget_get_accessible(target.gobj()))
        atk_object_set_name(accessible, label->get_text().c_str());
    return *label;
}

}  // namespace

OptionsColumn::OptionsColumn() : Gtk::Box(Gtk::ORIENTATION_VERTICAL, 4) { set_border_width(4); }

Gtk::CheckButton& OptionsColumn::Check(const std::string& text) {
    auto* check = Gtk::manage(new Gtk::CheckButton(MnemonicLabel(text), true));
    m_last = &Row(*this, 0);
    m_last->pack_start(*check, Gtk::PACK_SHRINK);
    return *check;
}

Gtk::SpinButton& OptionsColumn::Number(const std::string& label, int min, int max, const std::string& unit) {
    auto* spin = Gtk::manage(new Gtk::SpinButton(Gtk::Adjustment::create(min, min, max, 1, 10), 1, 0));
    spin->set_numeric(true);
    Gtk::Box& row = Row(*this, 24);
    m_last = &row;
    LabelFor(row, label, *spin);
    row.pack_start(*spin, Gtk::PACK_SHRINK);
    if (!unit.empty()) row.pack_start(*Gtk::manage(new Gtk::Label(ToUtf8(unit))), Gtk::PACK_SHRINK);
    return *spin;
}

Gtk::ComboBoxText& OptionsColumn::Choice(const std::string& label, const std::vector<std::string>& items) {
    auto* combo = Gtk::manage(new Gtk::ComboBoxText());
    for (const std::string& item : items) combo->append(ToUtf8(item));
    Gtk::Box& row = Row(*this, 0);
    m_last = &row;
    LabelFor(row, label, *combo);
    row.pack_start(*combo, Gtk::PACK_SHRINK);
    return *combo;
}

Gtk::ColorButton& OptionsColumn::Colour(const std::string& label) {
    auto* button = Gtk::manage(new Gtk::ColorButton());
    Gtk::Box& row = Row(*this, 24);
    LabelFor(row, label, *button);
    row.pack_start(*button, Gtk::PACK_SHRINK);
    return *button;
}

Gtk::Entry& OptionsColumn::Text(const std::string& label) {
    auto* entry = Gtk::manage(new Gtk::Entry());
    entry->set_width_chars(30);
    Gtk::Box& row = Row(*this, 0);
    LabelFor(row, label, *entry);
    row.pack_start(*entry, Gtk::PACK_EXPAND_WIDGET);
    m_last = &row;
    return *entry;
}

Gtk::Button& OptionsColumn::Button(const std::string& text, bool besideLast) {
    auto* button = Gtk::manage(new Gtk::Button(MnemonicLabel(text), true));
    Gtk::Box& row = besideLast && m_last ? *m_last : Row(*this, 0);
    row.pack_start(*button, Gtk::PACK_SHRINK);
    m_last = &row;
    return *button;
}

Gtk::Label& OptionsColumn::Pending() {
    auto* label = Gtk::manage(new Gtk::Label(ToUtf8("再起動後に有効になります")));
    label->set_no_show_all(true);
    label->get_style_context()->add_class("dim-label");
    (m_last ? *m_last : Row(*this, 0)).pack_start(*label, Gtk::PACK_SHRINK);
    return *label;
}

void OptionsColumn::Note(const std::string& text) {
    auto* label = Gtk::manage(new Gtk::Label(ToUtf8(text)));
    label->set_xalign(0);
    label->set_line_wrap(true);
    label->set_selectable(true);
    pack_start(*label, Gtk::PACK_SHRINK);
}

void OptionsColumn::Heading(const std::string& text) {
    auto* label = Gtk::manage(new Gtk::Label());
    label->set_markup("<b>" + Glib::Markup::escape_text(ToUtf8(text)) + "</b>");
    label->set_xalign(0);
    label->set_margin_top(6);
    pack_start(*label, Gtk::PACK_SHRINK);
}

Gdk::RGBA RgbaOfColour(int bgr) {
    Gdk::RGBA rgba;
    rgba.set_rgba_u(static_cast<gushort>((bgr & 0xFF) * 257), static_cast<gushort>(((bgr >> 8) & 0xFF) * 257),
                    static_cast<gushort>(((bgr >> 16) & 0xFF) * 257));
    return rgba;
}

int ColourOfRgba(const Gdk::RGBA& rgba) {
    int r = rgba.get_red_u() / 257, g = rgba.get_green_u() / 257, b = rgba.get_blue_u() / 257;
    return r | (g << 8) | (b << 16);
}

int ChoiceIndex(int stored, int items) { return stored >= 0 && stored < items ? stored : 0; }

int ChosenValue(int index, int stored, int items) {
    if (index < 0) return stored;
    return index == ChoiceIndex(stored, items) ? stored : index;
}

}  // namespace fern
