#pragma once
// The status bar's progress bar: a position in a range, drawn as a filled
// part with the percentage as "%d%%". Setting a position asks for a redraw
// only when the filled part changes by at least a pixel, so the many small
// progress reports of a page load cost nothing between pixels.
#include <string>

namespace fern {

class CProgressPane {
public:
    CProgressPane() = default;

    // An empty or reversed range fills nothing.
    void SetRange(int minimum, int maximum);
    // True when the bar must be redrawn at this client width. The position
    // is kept within the range.
    bool SetPos(int pos, int clientWidth);
    // The client width changed: true when the filled part did.
    bool Resize(int clientWidth) { return SetPos(m_pos, clientWidth); }

    int Pos() const { return m_pos; }
    int Percent() const;
    int FilledWidth(int clientWidth) const;
    // "%d%%" of the percentage.
    std::string Text() const;

private:
    int m_min = 0;
    int m_max = 100;
    int m_pos = 0;
    int m_filled = 0;  // pixels at the last redraw
    int m_width = 0;
};

}  // namespace fern
