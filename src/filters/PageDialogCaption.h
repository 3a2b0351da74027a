#pragma once
// Captions of page message boxes. Ours carry the program's name. The filter
// items users keep (the default item among them) and the sweep's rules name
// page boxes by the caption "Microsoft Internet Explorer"; so that those
// items go on working, that caption also counts as the caption of our page
// boxes. It is only matched, never shown.
#include <string_view>

#include "platform/engine/BrowserEngine.h"

namespace fern {

inline constexpr char kLegacyPageDialogCaption[] = "Microsoft Internet Explorer";

// True when `wanted` is in the caption of a window; for one of our page
// message boxes the legacy caption counts as its caption as well.
bool CaptionContains(std::string_view caption, std::string_view wanted, bool pageDialog);
// The same for the whole caption.
bool CaptionEquals(std::string_view caption, std::string_view wanted, bool pageDialog);

}  // namespace fern
