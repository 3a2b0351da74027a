#pragma once
// The two translations every open path uses: an argument or typed text to an
// address (shortcut files resolved), and the take-over of addresses that are
// not navigated at all ("mailto:" and list files).
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace fern {

// A command-line argument (the system's bytes) as text: the name of an
// existing file becomes its "file:" URI, anything else an address in which
// what Shift-JIS cannot hold is percent-encoded.
std::string ArgumentText(const std::string& arg);

// Web and ftp addresses stay as they are; an existing ".url" file gives its
// address; an existing ".lnk" or ".desktop" link gives its target; the path
// of another existing file gives its "file:" URI; anything else stays as it
// is. Files are named by path text or by "file:" URI.
std::string ConvertArgumentToUrl(const std::string& text);

// The address the first tab of a start will load, known before the window
// exists: the first argument that opens anything, when it is a web or file
// page; "" when it is not (a list file, "mailto:", other schemes) or there
// is no argument. A guess: the filters may still refuse it.
std::string FirstPageGuess(const std::vector<std::string>& arguments);

struct SpecialUrlActions {
    bool ignoreMailto = false;                             // `MLStyle` bit 0x1
    std::function<bool(const std::string&)> launchMailer;  // true when launched
    std::function<void(const std::string&)> openUrl;       // one list entry
};

// True when the text was taken over (nothing is to be navigated). A list
// file whose entries name list files opens them too, each once: a list
// already being opened (itself, or lists naming each other through any of
// their names) is taken over and skipped, and nesting stops at a depth.
bool OpenSpecialUrl(const std::string& text, const SpecialUrlActions& actions);

}  // namespace fern
