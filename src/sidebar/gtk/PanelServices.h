#pragma once
// What the side bar's panels of ours need from the running browser.
#include <cstdint>
#include <functional>
#include <string>

#include <gtkmm.h>

#include "platform/shell/Clipboard.h"
#include "platform/shell/MessageBox.h"
#include "platform/shell/MessageQueue.h"
#include "settings/SettingsService.h"

namespace fern {

struct PanelServices {
    CSettingsService& settings;
    IClipboard& clipboard;
    IMessageBox& messageBox;
    IMessageQueue& queue;
    // The program's open operation: text, open flags, download-control
    // flags, security mode.
    std::function<void(const std::string&, int, std::uint32_t, int)> open;
    // Adds a page at the end of the bookmarks.
    std::function<void(const std::string& title, const std::string& url)> addBookmark;
    Gtk::Window* dialogParent = nullptr;
};

}  // namespace fern
