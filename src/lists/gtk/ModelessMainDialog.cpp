#include "lists/gtk/ModelessMainDialog.h"

#include "platform/text/Encoding.h"
#include "platform/text/TimeStamp.h"
#include "platform/text/UrlText.h"
#include "settings/WindowPlacement.h"
#include "ui/gtk/ListFileChooser.h"
#include "ui/gtk/MenuBuilder.h"

namespace fern {

namespace {

constexpr unsigned kShowNormal = 1;
constexpr unsigned kShowMaximized = 3;

const ListEditorCommand* CommandOf(int id) {
    for (const ListEditorCommand& command : ListEditorCommands())
        if (command.id == id) return &command;
    return nullptr;
}

// "Ctrl+O", "Insert", "Delete" as GTK accelerators.
bool ParseKey(const std::string& key, guint& value, Gdk::ModifierType& mods) {
    std::string name = key;
    mods = Gdk::ModifierType(0);
    if (name.rfind("Ctrl+", 0) == 0) {
        mods = Gdk::CONTROL_MASK;
        name = name.substr(5);
        value = gdk_keyval_from_name(Glib::ustring(1, static_cast<char>(g_ascii_tolower(name[0]))).c_str());
    } else {
        value = gdk_keyval_from_name(name.c_str());
    }
    return value != GDK_KEY_VoidSymbol && value != 0;
}

}  // namespace

ModelessMainDialog::ModelessMainDialog(CSettingsService& settings, std::function<void()> closed)
    : m_settings(settings),
      m_closed(std::move(closed)),
      m_keys(Gtk::AccelGroup::create()),
      m_ok(MnemonicLabel("OK"), true),
      m_cancel(MnemonicLabel("キャンセル"), true) {
    set_title(kListEditorCaption);
    set_default_size(480, 360);
    add_accel_group(m_keys);
    m_messageBox.SetParent(gobj());
    RegisterCommands();

    struct Group {
        const char* text;
        std::vector<int> ids;  // 0 = a separator
    };
    const Group groups[] = {
        {"ファイル(&F)",
         {ID_LISTEDIT_OPEN, ID_LISTEDIT_SAVE, ID_LISTEDIT_SAVE_AS, 0, ID_LISTEDIT_ADD_FROM_LIST}},
        {"編集(&E)", {ID_LISTEDIT_ADD, ID_LISTEDIT_DELETE}},
    };
    for (const Group& group : groups) {
        auto* top = Gtk::manage(new Gtk::MenuItem(MnemonicLabel(group.text), true));
        auto* menu = Gtk::manage(new Gtk::Menu);
        menu->set_accel_group(m_keys);
        for (int id : group.ids) menu->append(id ? *Item(id) : *Gtk::manage(new Gtk::SeparatorMenuItem));
        top->set_submenu(*menu);
        m_menuBar.append(*top);
    }

    m_columns.add(m_urlColumn);
    m_rows = Gtk::ListStore::create(m_columns);
    m_view.set_model(m_rows);
    m_view.append_column_editable("URL", m_urlColumn);
    m_view.get_column(0)->set_expand(true);
    m_view.get_selection()->set_mode(Gtk::SELECTION_SINGLE);
    if (auto* cell = dynamic_cast<Gtk::CellRendererText*>(m_view.get_column_cell_renderer(0))) {
        cell->signal_editing_started().connect([this](Gtk::CellEditable* editable, const Glib::ustring&) {
            m_editing = editable;
            // However the edit ends, the field is no longer ours to touch.
            editable->signal_remove_widget().connect([this] { m_editing = nullptr; });
        });
        cell->signal_editing_canceled().connect([this] { m_editing = nullptr; });
        cell->signal_edited().connect([this](const Glib::ustring& path, const Glib::ustring& text) {
            m_editing = nullptr;
            Gtk::TreeModel::Path at(path);
            if (at.empty()) return;
            // A typed address is an address: what Shift-JIS cannot hold is escaped, not lost.
            m_editor.SetRow(static_cast<std::size_t>(at[0]), UrlFromUtf8(text.raw()));
        });
    }
    m_view.get_accessible()->set_name("URL");
    m_scroll.set_policy(Gtk::POLICY_AUTOMATIC, Gtk::POLICY_AUTOMATIC);
    m_scroll.set_shadow_type(Gtk::SHADOW_IN);
    m_scroll.add(m_view);

    m_buttons.set_layout(Gtk::BUTTONBOX_END);
    m_buttons.set_spacing(6);
    m_buttons.set_border_width(6);
    m_buttons.pack_start(m_ok);
    m_buttons.pack_start(m_cancel);
    // OK saves and closes; Cancel closes (asking about unsaved rows).
    m_ok.signal_clicked().connect([this] {
        Later([this] {
            if (!m_editor.Modified() || Save(false)) Close();
        });
    });
    m_cancel.signal_clicked().connect([this] {
        Later([this] {
            if (MayDiscard()) Close();
        });
    });

    m_status.set_xalign(0);
    m_status.set_margin_start(4);
    m_status.set_margin_bottom(2);
    m_status.get_accessible()->set_name(Glib::ustring(ToUtf8("ステータス バー")));

    m_box.pack_start(m_menuBar, Gtk::PACK_SHRINK);
    m_box.pack_start(m_scroll, Gtk::PACK_EXPAND_WIDGET);
    m_box.pack_start(m_buttons, Gtk::PACK_SHRINK);
    m_box.pack_start(m_status, Gtk::PACK_SHRINK);
    add(m_box);
    show_all_children();
    RestorePlacement();
}

Gtk::MenuItem* ModelessMainDialog::Item(int id) {
    const ListEditorCommand* command = CommandOf(id);
    auto* item = Gtk::manage(new Gtk::MenuItem(MnemonicLabel(command->text), true));
    guint key = 0;
    Gdk::ModifierType mods;
    if (*command->key && ParseKey(command->key, key, mods))
        item->add_accelerator("activate", m_keys, key, mods, Gtk::ACCEL_VISIBLE);
    std::string prompt = ToUtf8(command->prompt);
    item->signal_select().connect([this, prompt] { m_status.set_text(prompt); });
    item->signal_deselect().connect([this] { m_status.set_text(""); });
    item->signal_activate().connect([this, id] { Later([this, id] { m_router.Run(id); }); });
    return item;
}

void ModelessMainDialog::Later(std::function<void()> step) {
    Glib::signal_idle().connect_once(sigc::track_obj(
        [this, step] {
            CommitEditing();
            step();
        },
        *this));
}

bool ModelessMainDialog::on_key_press_event(GdkEventKey* event) {
    // While a row is edited its text field has the keys first: Delete and
    // Insert then edit the text, not the list.
    if (m_editing && gtk_window_propagate_key_event(gobj(), event)) return true;
    return Gtk::Window::on_key_press_event(event);
}

void ModelessMainDialog::Fill() {
    m_rows->clear();
    for (const std::string& url : m_editor.Rows()) (*m_rows->append())[m_urlColumn] = ToUtf8(url);
}

void ModelessMainDialog::CommitEditing() {
    if (!m_editing) return;
    // The text typed so far goes into its row, as leaving the field would do.
    if (auto* entry = dynamic_cast<Gtk::Entry*>(m_editing)) {
        Gtk::TreeModel::Path path;
        Gtk::TreeViewColumn* column = nullptr;
        m_view.get_cursor(path, column);
        if (!path.empty()) {
            std::string text = entry->get_text().raw();
            (*m_rows->get_iter(path))[m_urlColumn] = text;
            m_editor.SetRow(static_cast<std::size_t>(path[0]), UrlFromUtf8(text));
        }
    }
    Gtk::CellEditable* editing = m_editing;
    m_editing = nullptr;
    editing->editing_done();
    editing->remove_widget();
}

void ModelessMainDialog::RegisterCommands() {
    m_router.Add(ID_LISTEDIT_OPEN, [this] { Open(true); });
    m_router.Add(ID_LISTEDIT_ADD_FROM_LIST, [this] { Open(false); });
    m_router.Add(ID_LISTEDIT_SAVE, [this] { Save(false); });
    m_router.Add(ID_LISTEDIT_SAVE_AS, [this] { Save(true); });
    m_router.Add(ID_LISTEDIT_ADD, [this] { AddRow(); });
    m_router.Add(ID_LISTEDIT_DELETE, [this] { DeleteRow(); });
}

void ModelessMainDialog::AddRow() {
    std::optional<std::string> url = AskUrl();
    if (!url) return;
    std::size_t index = m_editor.Add(*url);
    (*m_rows->append())[m_urlColumn] = ToUtf8(*url);
    Gtk::TreeModel::Path path;
    path.push_back(static_cast<int>(index));
    m_view.get_selection()->select(path);
    m_view.scroll_to_row(path);
}

void ModelessMainDialog::DeleteRow() {
    Gtk::TreeModel::iterator selected = m_view.get_selection()->get_selected();
    if (!selected) return;
    m_editor.Delete(static_cast<std::size_t>(m_rows->get_path(selected)[0]));
    m_rows->erase(selected);
}

void ModelessMainDialog::Open(bool replace) {
    if (replace && !MayDiscard()) return;
    std::optional<std::string> path = ChooseFile(*this, false, ListFileFilters(), m_settings);
    if (!path) return;
    ListEditResult result = replace ? m_editor.Open(*path) : m_editor.AddFromList(*path);
    Tell(result);
    if (result.Done()) Fill();
}

bool ModelessMainDialog::Save(bool askPath) {
    ListEditResult result = askPath ? ListEditResult{ListEditResult::Kind::NeedsPath, {}} : m_editor.Save();
    if (result.kind == ListEditResult::Kind::NeedsPath) {
        std::optional<std::string> path =
            ChooseFile(*this, true, ListFileFilters(), m_settings, TimeStampTextNow() + ".fbl");
        if (!path) return false;
        // The list files' extension, when the name has none.
        std::size_t slash = path->rfind('/');
        if (path->find('.', slash == std::string::npos ? 0 : slash) == std::string::npos) *path += ".fbl";
        result = m_editor.SaveAs(*path);
    }
    Tell(result);
    return result.Done();
}

std::optional<std::string> ModelessMainDialog::AskUrl() {
    Gtk::Dialog dialog(ToUtf8("URLの追加"), *this, true);
    Gtk::Label label(MnemonicLabel("URL(&U):"), true);
    Gtk::Entry entry;
    label.set_mnemonic_widget(entry);
    entry.set_activates_default(true);
    entry.set_width_chars(48);
    Gtk::Box row(Gtk::ORIENTATION_HORIZONTAL, 6);
    row.set_border_width(6);
    row.pack_start(label, Gtk::PACK_SHRINK);
    row.pack_start(entry, Gtk::PACK_EXPAND_WIDGET);
    dialog.get_content_area()->pack_start(row, Gtk::PACK_SHRINK);
    dialog.add_button(ToUtf8("キャンセル"), Gtk::RESPONSE_CANCEL);
    dialog.add_button("OK", Gtk::RESPONSE_OK);
    dialog.set_default_response(Gtk::RESPONSE_OK);
    dialog.show_all_children();
    if (dialog.run() != Gtk::RESPONSE_OK) return std::nullopt;
    // A typed address is an address: what Shift-JIS cannot hold is escaped, not lost.
    std::string url = UrlFromUtf8(entry.get_text().raw());
    if (url.empty()) return std::nullopt;
    return url;
}

bool ModelessMainDialog::MayDiscard() {
    if (!m_editor.Modified()) return true;
    MessageBoxAnswer answer = m_messageBox.Show("リストは変更されています。\n保存しますか？",
                                                kListEditorCaption, MessageBoxKind::YesNoCancel);
    if (answer == MessageBoxAnswer::Cancel) return false;
    return answer == MessageBoxAnswer::No || Save(false);
}

void ModelessMainDialog::Tell(const ListEditResult& result) {
    if (result.kind == ListEditResult::Kind::Failed)
        m_messageBox.Show(result.message, kListEditorCaption, MessageBoxKind::Ok);
}

bool ModelessMainDialog::on_delete_event(GdkEventAny*) {
    CommitEditing();
    if (MayDiscard()) Close();
    return true;  // Close hides the window; the feature lets it go
}

void ModelessMainDialog::Close() {
    StorePlacement();
    hide();
    if (m_closed) m_closed();
}

void ModelessMainDialog::MainWindowClosing() {
    if (!get_visible()) return;
    CommitEditing();
    StorePlacement();
    if (m_editor.Modified() &&
        m_messageBox.Show("リストは変更されています。\n保存しますか？", kListEditorCaption,
                          MessageBoxKind::YesNo) == MessageBoxAnswer::Yes)
        Save(false);
}

void ModelessMainDialog::RestorePlacement() {
    std::optional<WindowPlacement> placement = m_settings.Live().listEditDlg.Placement();
    if (!placement) return;
    int width = placement->right - placement->left, height = placement->bottom - placement->top;
    if (width > 0 && height > 0) {
        move(placement->left, placement->top);
        resize(width, height);
    }
    if (placement->showCommand == kShowMaximized) maximize();
}

void ModelessMainDialog::StorePlacement() {
    if (!get_realized()) return;
    WindowPlacement placement = m_settings.Live().listEditDlg.Placement().value_or(WindowPlacement{});
    placement.flags = 0;
    placement.showCommand = is_maximized() ? kShowMaximized : kShowNormal;
    placement.minX = placement.minY = placement.maxX = placement.maxY = -1;
    // A maximized window keeps the normal rectangle it had.
    if (!is_maximized()) {
        int x = 0, y = 0, width = 0, height = 0;
        get_position(x, y);
        get_size(width, height);
        placement.left = x;
        placement.top = y;
        placement.right = x + width;
        placement.bottom = y + height;
    }
    m_settings.Change(SettingsSection::ListEditDlg,
                      [&](ProgramSettings& s) { s.listEditDlg.SetPlacement(placement); });
}

}  // namespace fern
