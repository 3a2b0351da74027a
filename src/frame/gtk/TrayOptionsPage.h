#pragma once
// The options page "タスク トレイ": minimizing to the tray, the icon and tip,
// and the hot key, caught from the keys the user presses in its field.
#include <optional>

#include "frame/TrayRules.h"
#include "frame/gtk/TrayHotKeyBinding.h"
#include "options/gtk/OptionsPage.h"
#include "ui/gtk/OptionsControls.h"

namespace fern {

class TrayOptionsPage : public IOptionsPage {
public:
    // `note`: how the hot key fared with the desktop; `desktopTrigger`: the
    // desktop's text for the trigger it bound.
    TrayOptionsPage(CSettingsService& settings, HotKeyNote note, const std::string& desktopTrigger);
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
    void ShowNote(HotKeyNote note, const std::string& desktopTrigger);
    bool CatchKey(GdkEventKey* event);
    void ChooseIcon();
    Gtk::Entry& IconPathField();
};

}  // namespace fern
