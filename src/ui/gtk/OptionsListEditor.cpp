#include "ui/gtk/OptionsListEditor.h"

#include <algorithm>

#include "options/OptionsText.h"
#include "platform/text/Encoding.h"
#include "ui/gtk/MenuBuilder.h"

namespace fern {

namespace {

void Name(Gtk::Widget& widget, const std::string& sjis) {
    if (AtkObject* accessible = gtk_widget_get_accessible(widget.gobj()))
        atk_object_set_name(accessible, ToUtf8(sjis).c_str());
}

}  // namespace

OptionsListEditor::OptionsListEditor(const std::string& label, bool reorder,
                                     std::function<void(const std::string&)> tell)
    : Gtk::Box(Gtk::ORIENTATION_VERTICAL, 4),
      m_store(Gtk::ListStore::create(m_columns)),
      m_tell(std::move(tell)) {
    Name(m_field, label);
    pack_start(m_field, Gtk::PACK_SHRINK);
    m_field.signal_activate().connect([this] { Add(); });

    auto* row = Gtk::manage(new Gtk::Box(Gtk::ORIENTATION_HORIZONTAL, 6));
    m_view.set_model(m_store);
    m_view.append_column(ToUtf8(label), m_columns.text);
    m_view.set_headers_visible(false);
    m_view.set_enable_search(false);
    Name(m_view, label);
    m_view.get_selection()->signal_changed().connect([this] {
        if (Gtk::TreeIter it = m_view.get_selection()->get_selected())
            m_field.set_text((*it)[m_columns.text]);
    });
    m_scroll.add(m_view);
    m_scroll.set_policy(Gtk::POLICY_AUTOMATIC, Gtk::POLICY_AUTOMATIC);
    m_scroll.set_shadow_type(Gtk::SHADOW_IN);
    m_scroll.set_min_content_height(160);
    row->pack_start(m_scroll, Gtk::PACK_EXPAND_WIDGET);

    auto* buttons = Gtk::manage(new Gtk::Box(Gtk::ORIENTATION_VERTICAL, 4));
    auto button = [buttons](const char* text, std::function<void()> run) {
        auto* b = Gtk::manage(new Gtk::Button(MnemonicLabel(text), true));
        b->signal_clicked().connect(std::move(run));
        buttons->pack_start(*b, Gtk::PACK_SHRINK);
    };
    button("追加(&A)", [this] { Add(); });
    button("変更(&M)", [this] { Modify(); });
    button("削除(&D)", [this] { Remove(); });
    if (reorder) {
        button("上へ(&U)", [this] { Move(-1); });
        button("下へ(&W)", [this] { Move(1); });
    }
    row->pack_start(*buttons, Gtk::PACK_SHRINK);
    pack_start(*row, Gtk::PACK_EXPAND_WIDGET);
}

void OptionsListEditor::SetEntries(const std::vector<std::string>& entries) {
    // Detached while filling: ten thousand rows go in without a redraw each.
    m_view.unset_model();
    m_store->clear();
    for (const std::string& entry : entries) Append(entry);
    m_view.set_model(m_store);
    m_changed = false;
}

std::vector<std::string> OptionsListEditor::Entries() const {
    std::vector<std::string> entries;
    entries.reserve(m_store->children().size());
    for (const Gtk::TreeRow& row : m_store->children())
        entries.push_back(FromUtf8(Glib::ustring(row[m_columns.text]).raw()));
    return entries;
}

void OptionsListEditor::Append(const std::string& text) {
    Gtk::TreeRow row = *m_store->append();
    row[m_columns.text] = ToUtf8(text);
}

std::vector<std::string> OptionsListEditor::FieldEntries() {
    ListInput input = ParseListInput(FromUtf8(m_field.get_text().raw()));
    std::string message = ListInputMessage(input);
    if (!message.empty() && m_tell) m_tell(message);
    return input.entries;
}

void OptionsListEditor::Add() {
    std::vector<std::string> entries = FieldEntries();
    if (entries.empty()) return;
    for (const std::string& entry : entries) Append(entry);
    m_changed = true;
    // Selecting fills the field: it is emptied after, ready for the next entry.
    Select(static_cast<int>(m_store->children().size()) - 1);
    m_field.set_text("");
}

void OptionsListEditor::Modify() {
    Gtk::TreeIter it = m_view.get_selection()->get_selected();
    if (!it) return;
    std::vector<std::string> entries = FieldEntries();
    if (entries.empty()) return;
    // A pasted block replaces the entry with its lines, in order.
    (*it)[m_columns.text] = ToUtf8(entries.front());
    for (std::size_t i = 1; i < entries.size(); ++i) {
        it = m_store->insert_after(it);
        (*it)[m_columns.text] = ToUtf8(entries[i]);
    }
    m_changed = true;
}

void OptionsListEditor::Remove() {
    int row = Selected();
    if (row < 0) return;
    m_store->erase(m_view.get_selection()->get_selected());
    m_changed = true;
    int count = static_cast<int>(m_store->children().size());
    if (count > 0) Select(std::min(row, count - 1));
    else m_field.set_text("");
}

void OptionsListEditor::Move(int by) {
    int row = Selected(), count = static_cast<int>(m_store->children().size());
    int to = row + by;
    if (row < 0 || to < 0 || to >= count) return;
    Gtk::TreeIter a = m_store->children()[static_cast<unsigned>(row)];
    Gtk::TreeIter b = m_store->children()[static_cast<unsigned>(to)];
    m_store->iter_swap(a, b);
    m_changed = true;
    Select(to);
}

int OptionsListEditor::Selected() {
    Gtk::TreeIter it = m_view.get_selection()->get_selected();
    return it ? static_cast<int>(m_store->get_path(it)[0]) : -1;
}

void OptionsListEditor::Select(int row) {
    if (row < 0 || row >= static_cast<int>(m_store->children().size())) return;
    Gtk::TreePath path(std::to_string(row));
    m_view.get_selection()->select(path);
    m_view.scroll_to_row(path);
}

}  // namespace fern
