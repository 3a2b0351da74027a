#pragma once
// A shortcut of the page on the user's desktop: a desktop link file
// (Type=Link) named after the page's title.
#include <webkit2/webkit2.h>

#include <string>

namespace fern {

struct ShortcutResult {
    bool ok = false;
    std::string path;   // UTF-8: the file written, or the one that failed
    std::string error;  // UTF-8
};

// The user's desktop folder (UTF-8), as the desktop names it; $HOME/Desktop
// when it names none.
std::string DesktopFolder();

// A file name (Shift-JIS, without extension) from a title: characters that
// cannot stand in a file name on any desktop become "_", leading and
// trailing dots and spaces go, and the name is kept short.
std::string ShortcutFileName(const std::string& title);

// The link file's text (UTF-8); title and address are UTF-8.
std::string DesktopLinkEntry(const std::string& title, const std::string& url);

// Writes the link into `folder` (UTF-8) as "<name>.desktop", or
// "<name> (2).desktop" and so on, so no file already there is replaced.
// The file is written whole or not at all.
ShortcutResult WriteDesktopShortcut(const std::string& folder, const std::string& title,
                                    const std::string& url);

// Creates the shortcut of the page `url` titled `title` (UTF-8; the address
// names it when it has no title) on the desktop, making the folder when it
// is missing; a failure is told to the user over `page`'s window.
void CreateDesktopShortcut(GtkWidget* page, const std::string& title, const std::string& url);

}  // namespace fern
