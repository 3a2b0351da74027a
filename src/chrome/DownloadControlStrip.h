#pragma once
// The status bar's download-control strip: seven indicators showing the
// flags new tabs start with. Collapsed it is a thin handle; a click expands
// it, and on the expanded strip a click on an indicator flips its flag while
// a click beside them collapses it again.
#include <cstdint>
#include <functional>

namespace fern {

enum DlcStripStyle : int { kDlcStripCollapsed = 1, kDlcStripExpanded = 2 };

inline constexpr int kDlcStripCollapsedWidth = 4;
inline constexpr int kDlcStripExpandedWidth = 121;
inline constexpr int kDlcIndicatorCount = 7;
inline constexpr int kDlcIndicatorPitch = 17;
// The icons sit one pixel in from the left edge; the leftover pixels on both
// sides are the strip's own.
inline constexpr int kDlcIndicatorLeft = 1;

struct DlcIndicator {
    std::uint32_t bit;
    int image;         // in the toolbar's small image list
    bool security;     // lit while the bit is set; the multimedia ones while it is clear
    const char* name;  // the menu command's text without its mnemonic
};

// In strip order. index must be 0..6.
const DlcIndicator& DlcIndicatorAt(int index);
// A multimedia indicator is lit while its flag is off (the download is
// blocked), a security one while its flag is on (the feature is blocked):
// lit always means "restricted".
bool DlcIndicatorLit(int index, std::uint32_t flags);

class CDownloadControlStrip {
public:
    // Gets the flag to flip in the new-tab flags; the owner flips, saves and
    // calls SetFlags.
    using ToggleBit = std::function<void(std::uint32_t bit)>;
    using StyleChanged = std::function<void(int style)>;

    // `style` as stored: anything but 2 is taken as collapsed.
    explicit CDownloadControlStrip(int style = kDlcStripCollapsed);

    void SetHooks(ToggleBit toggle, StyleChanged styleChanged) {
        m_toggle = std::move(toggle);
        m_styleChanged = std::move(styleChanged);
    }

    int Style() const { return m_style; }
    bool Expanded() const { return m_style == kDlcStripExpanded; }
    int Width() const { return Expanded() ? kDlcStripExpandedWidth : kDlcStripCollapsedWidth; }
    // True when the style changed (the status bar needs a new layout).
    bool SetStyle(int style);

    std::uint32_t Flags() const { return m_flags; }
    // True when the flags changed, which is the only time to redraw.
    bool SetFlags(std::uint32_t flags);
    bool Lit(int index) const { return DlcIndicatorLit(index, m_flags); }

    // The indicator under x on the expanded strip, -1 for none (and always
    // on the collapsed one).
    int IndicatorAt(int x) const;
    // Left edge of an indicator on the expanded strip.
    static int IndicatorX(int index) { return kDlcIndicatorLeft + index * kDlcIndicatorPitch; }

    // A pointer click at x (strip coordinates).
    void Click(int x);
    // What a click on indicator `index` does, wherever the pointer was:
    // assistive technologies press an indicator this way.
    void PressIndicator(int index);

private:
    int m_style;
    std::uint32_t m_flags = 0;
    ToggleBit m_toggle;
    StyleChanged m_styleChanged;
};

}  // namespace fern
