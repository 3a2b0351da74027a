#pragma once
// An editable list of texts on an options page: a field above the list,
// "追加(&A)" adds what the field holds, "変更(&M)" puts it in place of the
// selected entry, "削除(&D)" removes the selected entry and, where the order
// matters, "上へ(&U)" / "下へ(&W)" move it. Selecting an entry puts it in
// the field. Pasted text is cleaned (ParseListInput) and the user is told.
#include <gtkmm.h>

#include <functional>
#include <string>
#include <vector>

namespace fern {

class OptionsListEditor : public Gtk::Box {
public:
    // `label` names the field and the list for a screen reader; `tell` shows
    // a message (Shift-JIS) to the user.
    OptionsListEditor(const std::string& label, bool reorder, std::function<void(const std::string&)> tell);

    void SetEntries(const std::vector<std::string>& entries);
    std::vector<std::string> Entries() const;
    bool Changed() const { return m_changed; }
    void ClearChanged() { m_changed = false; }

    Gtk::Entry& Field() { return m_field; }
    void Add();
    void Modify();
    void Remove();
    void Move(int by);
    // The selected row, -1 for none.
    int Selected();
    void Select(int row);

private:
    struct Columns : Gtk::TreeModelColumnRecord {
        Gtk::TreeModelColumn<Glib::ustring> text;
        Columns() { add(text); }
    };
    Columns m_columns;
    Glib::RefPtr<Gtk::ListStore> m_store;
    Gtk::Entry m_field;
    Gtk::TreeView m_view;
    Gtk::ScrolledWindow m_scroll;
    std::function<void(const std::string&)> m_tell;
    bool m_changed = false;

    // The field's entries, told about when cleaned; empty when none.
    std::vector<std::string> FieldEntries();
    void Append(const std::string& text);
};

}  // namespace fern
