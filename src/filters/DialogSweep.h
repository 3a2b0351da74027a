#pragma once
// The dialog sweep's rule: which of the program's own top-level dialogs are
// dismissed (Cancel, then OK) or closed while the sweep is on.
#include <optional>
#include <string>

namespace fern {

enum class SweptKind { StandardDialog, HtmlDialog };
enum class SweepAction { Keep, Dismiss, Close };

struct SweptDialog {
    SweptKind kind = SweptKind::StandardDialog;
    std::string caption;
    // The dialog's static text; none when it has no text control.
    std::optional<std::string> staticText;
    // One of our page message boxes (its caption stands for the legacy one).
    bool pageDialog = false;
};

SweepAction SweepRule(const SweptDialog& dialog);

// Timer id and period of the sweep.
inline constexpr unsigned kSweepTimerId = 61230;
inline constexpr unsigned kSweepPeriodMs = 300;

}  // namespace fern
