#pragma once
// "名前をつけて保存": the page shown in a tab, saved as one MHTML file or as
// its own bytes (an image, a PDF, a text: always its own bytes), under its
// title made safe as a file name. The file appears only when complete.
#include <gtkmm.h>
#include <webkit2/webkit2.h>
#include <memory>

#include "platform/shell/MessageBox.h"
#include "settings/SettingsService.h"

namespace fern {

class PageSaver {
public:
    PageSaver(Gtk::Window& parent, CSettingsService& settings, IMessageBox& messageBox);
    ~PageSaver();

    // Asks for the file, then writes it (the MHTML later, from the loop).
    void Save(WebKitWebView* view);

private:
    Gtk::Window& m_parent;
    CSettingsService& m_settings;
    IMessageBox& m_messageBox;
    GCancellable* m_cancellable;
    // Answers that come after we are gone report nothing.
    std::shared_ptr<bool> m_alive = std::make_shared<bool>(true);
};

}  // namespace fern
