#include "lists/EncodingJisMapping.h"

#include "platform/text/SjisByteClass.h"

namespace fern {

namespace {

bool InJisRange(unsigned b) { return b >= 0x21 && b <= 0x7E; }

}  // namespace

unsigned JisToSjis(unsigned jis) {
    unsigned hi = (jis >> 8) & 0xFF;
    unsigned lo = jis & 0xFF;
    if (jis > 0xFFFF || !InJisRange(hi) || !InJisRange(lo)) return 0;
    // Two JIS rows share one Shift-JIS lead byte: odd rows take trail bytes
    // 0x40..0x9E (skipping 0x7F), even rows 0x9F..0xFC.
    if (hi & 1) lo += lo <= 0x5F ? 0x1F : 0x20;
    else lo += 0x7E;
    hi = ((hi - 0x21) >> 1) + 0x81;
    if (hi > 0x9F) hi += 0x40;
    return (hi << 8) | lo;
}

unsigned SjisToJis(unsigned sjis) {
    unsigned hi = (sjis >> 8) & 0xFF;
    unsigned lo = sjis & 0xFF;
    if (sjis > 0xFFFF || !IsSjisLeadByte(static_cast<unsigned char>(hi)) ||
        !IsSjisTrailByte(static_cast<unsigned char>(lo)))
        return 0;
    lo -= lo >= 0x80 ? 0x20 : 0x1F;
    hi = (hi > 0x9F ? hi - 0xB0 : hi - 0x70) << 1;
    if (lo > 0x7E) lo -= 0x5E;
    else --hi;
    if (!InJisRange(hi) || !InJisRange(lo)) return 0;
    return (hi << 8) | lo;
}

bool IsSjisKana(unsigned sjis) {
    return (sjis >= 0x829F && sjis <= 0x82F1) || (sjis >= 0x8340 && sjis <= 0x8393 && sjis != 0x837F);
}

}  // namespace fern
