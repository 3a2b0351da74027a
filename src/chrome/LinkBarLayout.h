#pragma once
// Where the link bar's buttons go: a pure function of the widths of their
// texts, the bar's look (LBStyle icons and fixed width, LBFixBtnSize) and
// the width the bar has. Buttons run left to right; from the first one that
// does not fit whole, none is shown, so the order on screen is the folder's.
#include <vector>

namespace fern {

struct LinkBarLook {
    bool showIcons = true;    // LBStyle 0x4
    bool fixedWidth = false;  // LBStyle 0x8
    int fixedSize = 100;      // LBFixBtnSize, low 16 bits
};

inline constexpr int kLinkBarPadding = 6;  // each side of the content
inline constexpr int kLinkBarIcon = 16;    // the icon, then a gap
inline constexpr int kLinkBarIconGap = 4;
inline constexpr int kLinkBarSpacing = 2;       // between buttons
inline constexpr int kLinkBarMaxNatural = 200;  // a long name is cut on the button
inline constexpr int kLinkBarMinFixed = 30, kLinkBarMaxFixed = 256;

struct LinkBarBox {
    int x = 0;
    int width = 0;
    bool shown = false;
    bool operator==(const LinkBarBox&) const = default;
};

std::vector<LinkBarBox> LayoutLinkBar(const std::vector<int>& textWidths, const LinkBarLook& look,
                                      int available);
// The shown button at `x`, or -1.
int LinkBarButtonAt(const std::vector<LinkBarBox>& boxes, int x);
// LBStyle and LBFixBtnSize as the bar reads them (the width clamped to 30..256).
LinkBarLook LinkBarLookOf(int style, int fixedSize);

}  // namespace fern
