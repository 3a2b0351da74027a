#include "commands/gtk/KeySettingsDialog.h"

#include "commands/CommandCatalogue.h"
#include "platform/text/Encoding.h"
#include "ui/gtk/UiResources.h"
#include "ui/gtk/VirtualKeys.h"

namespace fern {

namespace {

constexpr char kUi[] = "KeySettingsDialog.ui";

template <class T>
T* Get(const Glib::RefPtr<Gtk::Builder>& builder, const char* id) {
    T* widget = nullptr;
    builder->get_widget(id, widget);
    return widget;
}

}  // namespace

KeySettingsDialog::KeySettingsDialog(Gtk::Window& parent, const CKeyManager& keys,
                                     const CCommandRouter& router)
    : m_editor(keys), m_builder(LoadUi(kUi)) {
    for (int slot = 0; slot < kKeySlotCount; ++slot)
        if (int id = KeySlotAt(slot).id; id && router.Has(id)) m_served.push_back(id);
    m_dialog = Get<Gtk::Dialog>(m_builder, "dialog");
    m_category = Get<Gtk::ComboBoxText>(m_builder, "category");
    m_commands = Get<Gtk::TreeView>(m_builder, "commands");
    m_keys = Get<Gtk::TreeView>(m_builder, "keys");
    m_capture = Get<Gtk::Entry>(m_builder, "capture");
    m_status = Get<Gtk::Label>(m_builder, "status");
    m_commandStore = Glib::RefPtr<Gtk::ListStore>::cast_dynamic(m_builder->get_object("commandStore"));
    m_keyStore = Glib::RefPtr<Gtk::ListStore>::cast_dynamic(m_builder->get_object("keyStore"));
    m_dialog->set_transient_for(parent);

    for (int category = 1; category <= kCategoryCount; ++category)
        m_category->append(ToUtf8(CategoryName(category)));
    m_category->signal_changed().connect([this] { FillCommands(); });
    m_commands->get_selection()->signal_changed().connect([this] { FillKeys(); });
    m_capture->signal_key_press_event().connect(sigc::mem_fun(*this, &KeySettingsDialog::OnCaptureKey),
                                                false);
    Get<Gtk::Button>(m_builder, "add")->signal_clicked().connect([this] { AddKey(); });
    Get<Gtk::Button>(m_builder, "delete")->signal_clicked().connect([this] { DeleteKey(); });
    Get<Gtk::Button>(m_builder, "deleteAll")->signal_clicked().connect([this] {
        m_editor.DeleteAll();
        FillKeys();
    });
    m_category->set_active(0);
}

KeySettingsDialog::~KeySettingsDialog() { delete m_dialog; }

void KeySettingsDialog::FillCommands() {
    m_commandStore->clear();
    for (const KeyCommandRow& row :
         CKeySettingsEditor::CommandsOf(m_category->get_active_row_number() + 1, m_served)) {
        Gtk::TreeRow item = *m_commandStore->append();
        item.set_value(0, Glib::ustring(ToUtf8(row.name)));
        item.set_value(1, row.id);
    }
    if (!m_commandStore->children().empty())
        m_commands->get_selection()->select(m_commandStore->children().begin());
    FillKeys();
}

void KeySettingsDialog::FillKeys() {
    m_keyStore->clear();
    int id = SelectedCommand();
    if (id == 0) return;
    for (const KeyBinding& key : m_editor.Keys().KeysOf(id)) {
        Gtk::TreeRow item = *m_keyStore->append();
        item.set_value(0, Glib::ustring(ToUtf8(KeyText(key))));
        item.set_value(1, key.Value());
    }
}

int KeySettingsDialog::SelectedCommand() const {
    Gtk::TreeIter it = m_commands->get_selection()->get_selected();
    if (!it) return 0;
    int id = 0;
    it->get_value(1, id);
    return id;
}

std::optional<KeyBinding> KeySettingsDialog::SelectedKey() const {
    Gtk::TreeIter it = m_keys->get_selection()->get_selected();
    if (!it) return std::nullopt;
    int value = 0;
    it->get_value(1, value);
    return KeyFromValue(value);
}

bool KeySettingsDialog::OnCaptureKey(GdkEventKey* event) {
    std::optional<KeyBinding> key = KeyOfEvent(event);
    // Tab still moves on when no modifier is held.
    if (key && key->key == 0x09 && !(key->modifiers & (kKeyControl | kKeyAlt))) return false;
    if (!key) return true;
    m_captured = key;
    m_capture->set_text(ToUtf8(KeyText(*key)));
    m_status->set_text("");
    return true;
}

void KeySettingsDialog::AddKey() {
    int id = SelectedCommand();
    if (id == 0 || !m_captured) return;
    std::string refused = m_editor.Add(id, *m_captured);
    if (!refused.empty()) {
        m_status->set_text(ToUtf8(refused));
        m_capture->grab_focus();
        m_capture->select_region(0, -1);
        return;
    }
    m_captured.reset();
    m_capture->set_text("");
    FillKeys();
}

void KeySettingsDialog::DeleteKey() {
    int id = SelectedCommand();
    std::optional<KeyBinding> key = SelectedKey();
    if (id == 0 || !key) return;
    std::string refused = m_editor.Delete(id, *key);
    if (!refused.empty()) {
        auto* box = new Gtk::MessageDialog(*m_dialog, ToUtf8(refused), false, Gtk::MESSAGE_WARNING,
                                           Gtk::BUTTONS_OK, true);
        box->set_title("Fern Browser");
        box->signal_response().connect(
            [box](int) { Glib::signal_idle().connect_once([box] { delete box; }); });
        box->show();
        return;
    }
    FillKeys();
}

void KeySettingsDialog::Show(std::function<void(std::optional<CKeyManager>)> done) {
    m_dialog->signal_response().connect([this, done](int response) {
        m_dialog->hide();
        if (done)
            done(response == Gtk::RESPONSE_OK ? std::optional<CKeyManager>(m_editor.Keys()) : std::nullopt);
    });
    m_dialog->show_all();
    m_dialog->present();
}

}  // namespace fern
