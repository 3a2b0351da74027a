#include "chrome/ProgressPane.h"

#include <cstdio>

namespace fern {

namespace {

// (pos - min) * scale / (max - min), in 64 bits so wide ranges cannot overflow.
int Scaled(int pos, int minimum, int maximum, int scale) {
    if (maximum <= minimum || scale <= 0) return 0;
    long long part = static_cast<long long>(pos) - minimum;
    long long span = static_cast<long long>(maximum) - minimum;
    return static_cast<int>(part * scale / span);
}

}  // namespace

void CProgressPane::SetRange(int minimum, int maximum) {
    m_min = minimum;
    m_max = maximum;
    if (m_pos < m_min) m_pos = m_min;
    if (m_max > m_min && m_pos > m_max) m_pos = m_max;
}

bool CProgressPane::SetPos(int pos, int clientWidth) {
    if (pos < m_min) pos = m_min;
    if (m_max > m_min && pos > m_max) pos = m_max;
    int percentBefore = Percent();
    m_pos = pos;
    int filled = FilledWidth(clientWidth);
    // The text is part of the drawing: a new percentage at the same width
    // still needs a redraw to be readable.
    bool redraw = filled != m_filled || clientWidth != m_width || Percent() != percentBefore;
    m_filled = filled;
    m_width = clientWidth;
    return redraw;
}

int CProgressPane::Percent() const { return Scaled(m_pos, m_min, m_max, 100); }

int CProgressPane::FilledWidth(int clientWidth) const { return Scaled(m_pos, m_min, m_max, clientWidth); }

std::string CProgressPane::Text() const {
    char text[16];
    std::snprintf(text, sizeof text, "%d%%", Percent());
    return text;
}

}  // namespace fern
