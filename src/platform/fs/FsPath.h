#pragma once
// File-system paths are not text: they hold the file system's own bytes from
// where they come in (environment, command line, file chooser) to where a file
// is opened. They become Shift-JIS text only where they are shown or stored.
#include <string>
#include <string_view>

namespace fern {

// For showing (menus, messages): characters that cannot be shown become "?".
std::string PathForDisplay(std::string_view fsPath);

// For storing in a text file (INI values, lists): the path as plain
// Shift-JIS when that names it exactly, else its "file:" URI, which
// `PathFromText` turns back into the same bytes.
std::string PathToText(std::string_view fsPath);

// A path stored or typed as text (plain, or a "file:" URI) as the file
// system's bytes. Empty when a "file:" URI names no local file.
std::string PathFromText(std::string_view text);

// "file:///..." for the path (made absolute against the current folder),
// every byte outside plain ASCII escaped. Empty when it cannot be made.
std::string FileUriOfPath(std::string_view fsPath);

// True when `text` starts with "file:" (any case).
bool IsFileUri(std::string_view text);

}  // namespace fern
