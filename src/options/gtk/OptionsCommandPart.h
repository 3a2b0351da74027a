#pragma once
// "オプション(&P)...": the options dialog on the pages features registered.
#include <gtkmm.h>

#include <memory>

#include "commands/CommandRouter.h"
#include "options/gtk/OptionsPage.h"

namespace fern {

class OptionsDialog;

class OptionsCommandPart {
public:
    OptionsCommandPart(Gtk::Window& parent, CSettingsService& settings, const COptionsPages& pages);
    ~OptionsCommandPart();

    void RegisterCommands(CCommandRouter& router);
    // The dialog while it is open.
    OptionsDialog* Dialog() { return m_dialog.get(); }

private:
    Gtk::Window& m_parent;
    CSettingsService& m_settings;
    const COptionsPages& m_pages;
    std::unique_ptr<OptionsDialog> m_dialog;
};

}  // namespace fern
