#pragma once
// What each download-control command does, as small table rules: the bits a
// switch flips, the template a security-level item chooses, and whether an
// item shows a check mark for given flags.
#include <cstdint>
#include <optional>

namespace fern {

// The tab's flags, in the engine's classic values.
enum DownloadControlBits : std::uint32_t {
    kDlcImages = 0x10,
    kDlcVideos = 0x20,
    kDlcBackgroundSounds = 0x40,
    kDlcNoScripts = 0x80,
    kDlcNoJava = 0x100,
    kDlcNoActiveXRun = 0x200,
    kDlcNoActiveXDownload = 0x400,
};

// The bits a switch command flips (each one on its own, so a mixed state
// stays mixed); 0 for other ids.
std::uint32_t DlcToggleMask(int id);

// 0 = BODLCDefault, 1..4 = BODLCDefault1..4; nothing for other ids.
std::optional<int> DlcTemplateIndex(int id);

// The check mark of a switch item: the multimedia items are checked while
// their bit is set, the security items while it is clear. Nothing for items
// without a check mark.
std::optional<bool> DlcItemChecked(int id, std::uint32_t flags);

}  // namespace fern
