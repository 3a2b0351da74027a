#include "chrome/DownloadControlStrip.h"

namespace fern {

namespace {

const DlcIndicator kIndicators[kDlcIndicatorCount] = {
    {0x10, 23, false, "画像のダウンロード"},    {0x40, 24, false, "サウンドのダウンロード"},
    {0x20, 25, false, "ビデオのダウンロード"},  {0x100, 27, true, "Javaの実行"},
    {0x80, 28, true, "Scriptの実行"},           {0x200, 29, true, "ActiveXの実行"},
    {0x400, 30, true, "ActiveXのダウンロード"},
};

int Normalised(int style) { return style == kDlcStripExpanded ? kDlcStripExpanded : kDlcStripCollapsed; }

}  // namespace

const DlcIndicator& DlcIndicatorAt(int index) { return kIndicators[index]; }

bool DlcIndicatorLit(int index, std::uint32_t flags) {
    if (index < 0 || index >= kDlcIndicatorCount) return false;
    bool set = (flags & kIndicators[index].bit) != 0;
    return kIndicators[index].security ? set : !set;
}

CDownloadControlStrip::CDownloadControlStrip(int style) : m_style(Normalised(style)) {}

bool CDownloadControlStrip::SetStyle(int style) {
    style = Normalised(style);
    if (style == m_style) return false;
    m_style = style;
    if (m_styleChanged) m_styleChanged(m_style);
    return true;
}

bool CDownloadControlStrip::SetFlags(std::uint32_t flags) {
    if (flags == m_flags) return false;
    m_flags = flags;
    return true;
}

int CDownloadControlStrip::IndicatorAt(int x) const {
    if (!Expanded() || x < kDlcIndicatorLeft) return -1;
    int index = (x - kDlcIndicatorLeft) / kDlcIndicatorPitch;
    return index < kDlcIndicatorCount ? index : -1;
}

void CDownloadControlStrip::Click(int x) {
    if (!Expanded()) {
        SetStyle(kDlcStripExpanded);
        return;
    }
    int index = IndicatorAt(x);
    if (index < 0) SetStyle(kDlcStripCollapsed);
    else PressIndicator(index);
}

void CDownloadControlStrip::PressIndicator(int index) {
    if (index < 0 || index >= kDlcIndicatorCount) return;
    if (m_toggle) m_toggle(kIndicators[index].bit);
}

}  // namespace fern
