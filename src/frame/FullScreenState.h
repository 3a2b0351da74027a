#pragma once
// Full screen and the two bars it keeps: bar 1 (0x2) is the band area at the
// top of the window (menu bar, tool bands, address bar), bar 2 (0x4) the
// status bar. Entering remembers whether each was shown and hides both;
// leaving gives back exactly what was shown. MFFullScrState holds
// (on ? 1 : 0) + (bar 1 ? 2 : 0) + (bar 2 ? 4 : 0).
namespace fern {

struct FullScreenBars {
    bool bands = true;
    bool statusBar = true;
    bool operator==(const FullScreenBars&) const = default;
};

class CFullScreenState {
public:
    // The stored value: only its three bits are read, so any number gives a
    // state.
    static CFullScreenState FromStored(int value);

    bool On() const { return m_on; }
    // The bars as they were when full screen was entered, to be shown again
    // on leaving.
    const FullScreenBars& Kept() const { return m_kept; }

    // Entering with the bars as they are now; false when already on.
    bool Enter(const FullScreenBars& now);
    // Leaving: the bars to show again; nothing changes when it was off.
    FullScreenBars Leave();

    int StoredValue() const;

private:
    bool m_on = false;
    FullScreenBars m_kept;
};

}  // namespace fern
