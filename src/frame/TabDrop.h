#pragma once
// What a drop on the tab bar does: the dropped bookmarks, text or files and
// the place of the drop become a list of opens, in new tabs or in the tab
// under the pointer. Also the pieces of a drag out of the bar: the dragged
// address and the Internet shortcut file offered with it.
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace fern {

struct DroppedBookmark {
    std::string url;
    std::uint32_t style = 0;    // download-control flags
    std::uint32_t exstyle = 0;  // security mode
};

struct TabDropData {
    enum class Kind { Bookmarks, Text, Files };
    Kind kind = Kind::Text;
    std::vector<DroppedBookmark> bookmarks;
    std::string text;
    std::vector<std::string> files;
};

struct TabDropAction {
    enum class Kind {
        OpenNewTab,   // OpenUrl(url, openFlags, dlc, securityMode)
        NavigateTab,  // tab `tab` navigates to url; its flags become dlc when setFlags
    };
    Kind kind = Kind::OpenNewTab;
    std::string url;
    int openFlags = 3;
    std::uint32_t dlc = 0;
    int securityMode = 0;
    int tab = -1;
    bool setFlags = false;
    bool operator==(const TabDropAction&) const = default;
};

using ConvertToUrl = std::function<std::string(const std::string&)>;

// `hit` is the tab under the drop point or -1; `dlcDefault` is BODLCDefault.
std::vector<TabDropAction> TabDropActions(const TabDropData& data, int hit, bool shift, bool alt,
                                          std::uint32_t dlcDefault, const ConvertToUrl& convert);

// A "text/uri-list" (UTF-8, one URI a line, "#" comments): when its first URI
// is a file: URI, all its file: URIs (escaped, so ASCII); otherwise its first
// URI as a text.
TabDropData TabDropDataFromUriList(std::string_view uriList);

// The address a dragged tab offers: trimmed, every "%20" a blank.
std::string TabDragUrl(std::string_view url);

// Name of the shortcut file for a page: the title (the URL when it has none)
// with the characters a file name cannot hold replaced by "_", kept short
// enough for the file system, with ".url" appended.
std::string InternetShortcutFileName(std::string_view title, std::string_view url);

// The shortcut file's bytes.
std::string InternetShortcutContent(std::string_view url);

// Blanks, tabs and line ends removed at both ends.
std::string TrimDropText(std::string_view text);

}  // namespace fern
