#pragma once
// The two translations every open path uses: an argument or typed text to an
// address (shortcut files resolved), and the take-over of addresses that are
// not navigated at all ("mailto:" and list files).
#include <cstdint>
#include <functional>
#include <string>

namespace fern {

// Web and ftp addresses stay as they are; an existing ".url" file gives its
// address; an existing ".lnk" or ".desktop" link gives its target; anything
// else stays as it is.
std::string ConvertArgumentToUrl(const std::string& text);

struct SpecialUrlActions {
    bool ignoreMailto = false;                                // `MLStyle` bit 0x1
    std::function<bool(const std::string&)> launchMailer;     // true when launched
    std::function<void(const std::string&)> openUrl;          // one list entry
};

// True when the text was taken over (nothing is to be navigated).
bool OpenSpecialUrl(const std::string& text, const SpecialUrlActions& actions);

}  // namespace fern
