#pragma once
// The options page "タスク トレイ": minimizing to the tray, the icon and tip,
// and the hot key, caught from the keys the user presses in its field.
#include <optional>

#include "frame/TrayRules.h"
#include "options/gtk/OptionsPage.h"
#include "ui/gtk/OptionsControls.h"

namespace fern {

class TrayOptionsPage : public IOptionsPage {
public:
    // `noHotKeys`: this desktop cannot grab keys; `hotKeyFailed`: the key
    // stored could not be grabbed.
    TrayOptionsPage(CSettingsService& settings, bool noHotKeys, bool hotKeyFailed);
    Gtk::Widget& Widget() override { return m_column; }
    void Load(const ProgramSettings& working) override;
    void Store(COptionsSession& session) override;

private:
    CSettingsService& m_settings;
    OptionsColumn m_column;
    Gtk::CheckButton& m_onMinimize;
    Gtk::CheckButton& m_customIcon;
    Gtk::Entry& m_iconPath;
    Gtk::SpinButton& m_iconIndex;
    Gtk::Entry& m_tip;
    Gtk::Entry& m_hotKeyField;
    std::optional<TrayHotKey> m_hotKey;
    bool m_hotKeyPicked = false;  // caught or cleared since the page loaded
    TaskTraySettings m_loaded;

    void ShowHotKey();
    bool CatchKey(GdkEventKey* event);
    void ChooseIcon();
    Gtk::Entry& IconPathField();
};

}  // namespace fern
