// libFuzzer target: what pages control and the filters read. A page chooses
// its address, title and message texts, and a user's list holds patterns, so
// the prepared pattern must answer exactly as the plain matcher on any bytes,
// the zone of any address is one of the known ones, and the message-box
// question and the sweep rule take any caption and text.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "filters/DialogSweep.h"
#include "filters/MessageBoxFilter.h"
#include "filters/WildcardPattern.h"
#include "page/WildcardMatch.h"
#include "privacy/SecurityZone.h"
#include "settings/BrowserSettings.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view bytes(reinterpret_cast<const char*>(data), size);
    // pattern NUL text: the pattern is also a KMDItemText, the text a caption
    // and a message.
    std::size_t cut = bytes.find('\0');
    std::string_view pattern = bytes.substr(0, cut);
    std::string_view text = cut == std::string_view::npos ? std::string_view() : bytes.substr(cut + 1);

    if (fern::WildcardPattern(std::string(pattern)).Matches(text) != fern::WildcardMatch(pattern, text))
        __builtin_trap();

    int zone = fern::ZoneOfUrl(text);
    if (zone != -1 && zone != fern::kZoneLocalComputer && zone != fern::kZoneIntranet &&
        zone != fern::kZoneInternet)
        __builtin_trap();

    std::vector<std::string> texts = fern::SplitKillTexts(pattern);
    for (const std::string& t : texts)
        if (t.size() > pattern.size()) __builtin_trap();
    fern::KillMsgDlgItem item;
    item.caption = std::string(text.substr(0, text.size() / 2));
    item.text = std::string(pattern);
    (void)fern::MessageBoxHandled({item}, text, text);

    fern::SweptDialog dialog;
    dialog.caption = std::string(text);
    dialog.staticText = std::string(pattern);
    dialog.pageDialog = (size & 1) != 0;
    (void)fern::SweepRule(dialog);
    dialog.kind = fern::SweptKind::HtmlDialog;
    if (fern::SweepRule(dialog) == fern::SweepAction::Dismiss) __builtin_trap();
    return 0;
}
