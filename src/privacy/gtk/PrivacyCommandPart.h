#pragma once
// The cookie commands and the Internet options (33050..33054, 33070) for the
// main window. BOInetCpl 0 and 1 both open our own dialog: there is no
// control panel to start here.
#include <memory>

#include "privacy/gtk/InternetOptionsDialog.h"

namespace fern {

class CCommandRouter;

class PrivacyCommandPart {
public:
    PrivacyCommandPart(Gtk::Window& parent, InternetOptionsServices services);
    ~PrivacyCommandPart();

    void RegisterCommands(CCommandRouter& router);

    // Opens the dialog (one at a time) on `page`; the zone indicator of the
    // status bar opens the security page.
    void OpenInternetOptions(InternetOptionsPage page);

private:
    Gtk::Window& m_parent;
    InternetOptionsServices m_services;
    std::unique_ptr<InternetOptionsDialog> m_dialog;
};

}  // namespace fern
