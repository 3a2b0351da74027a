#include "chrome/LinkBarLayout.h"

#include <algorithm>

namespace fern {

LinkBarLook LinkBarLookOf(int style, int fixedSize) {
    LinkBarLook look;
    look.showIcons = (style & 0x4) != 0;
    look.fixedWidth = (style & 0x8) != 0;
    look.fixedSize = std::clamp(fixedSize & 0xFFFF, kLinkBarMinFixed, kLinkBarMaxFixed);
    return look;
}

std::vector<LinkBarBox> LayoutLinkBar(const std::vector<int>& textWidths, const LinkBarLook& look,
                                      int available) {
    std::vector<LinkBarBox> boxes;
    boxes.reserve(textWidths.size());
    int fixed = std::clamp(look.fixedSize, kLinkBarMinFixed, kLinkBarMaxFixed);
    int content = 2 * kLinkBarPadding + (look.showIcons ? kLinkBarIcon + kLinkBarIconGap : 0);
    int x = 0;
    bool fits = true;
    for (int text : textWidths) {
        LinkBarBox box;
        box.x = x;
        box.width = look.fixedWidth ? fixed : std::min(content + std::max(text, 0), kLinkBarMaxNatural);
        fits = fits && x + box.width <= available;
        box.shown = fits;
        boxes.push_back(box);
        x += box.width + kLinkBarSpacing;
    }
    return boxes;
}

int LinkBarButtonAt(const std::vector<LinkBarBox>& boxes, int x) {
    for (std::size_t i = 0; i < boxes.size(); ++i)
        if (boxes[i].shown && x >= boxes[i].x && x < boxes[i].x + boxes[i].width) return static_cast<int>(i);
    return -1;
}

}  // namespace fern
