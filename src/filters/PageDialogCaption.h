#pragma once
// Captions of page message boxes. Ours carry the program's name; stored
// filter items and the sweep's rules name the caption such boxes had in the
// old data ("Microsoft Internet Explorer"), and that caption keeps meaning
// our page boxes. The legacy text is data only and is never shown.
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
