#pragma once
// The "キー設定" dialog: categories, their commands, the keys of the chosen
// command, a field that shows the key pressed in it, 追加 / 削除 / 全て削除.
// It edits a copy; OK hands the copy back.
#include <gtkmm.h>

#include <functional>
#include <optional>

#include "commands/CommandRouter.h"
#include "commands/KeySettingsEditor.h"

namespace fern {

class KeySettingsDialog {
public:
    KeySettingsDialog(Gtk::Window& parent, const CKeyManager& keys, const CCommandRouter& router);
    ~KeySettingsDialog();
    KeySettingsDialog(const KeySettingsDialog&) = delete;
    KeySettingsDialog& operator=(const KeySettingsDialog&) = delete;

    // Shows the dialog and returns at once; `done` gets the edited keys after
    // OK, nothing after キャンセル or closing. No nested loop: the program
    // (and a screen reader talking to it) goes on while it is open.
    void Show(std::function<void(std::optional<CKeyManager>)> done);
    Gtk::Dialog& Widget() { return *m_dialog; }

private:
    CKeySettingsEditor m_editor;
    std::vector<int> m_served;
    Glib::RefPtr<Gtk::Builder> m_builder;
    Gtk::Dialog* m_dialog = nullptr;
    Gtk::ComboBoxText* m_category = nullptr;
    Gtk::TreeView* m_commands = nullptr;
    Gtk::TreeView* m_keys = nullptr;
    Gtk::Entry* m_capture = nullptr;
    Gtk::Label* m_status = nullptr;
    Glib::RefPtr<Gtk::ListStore> m_commandStore, m_keyStore;
    std::optional<KeyBinding> m_captured;

    void FillCommands();
    void FillKeys();
    int SelectedCommand() const;
    std::optional<KeyBinding> SelectedKey() const;
    void AddKey();
    void DeleteKey();
    bool OnCaptureKey(GdkEventKey* event);
};

}  // namespace fern
