#include "settings/WindowPlacement.h"

#include <climits>
#include <cstdint>
#include <cstdio>

namespace fern {

namespace {

// One number the way a "%d" / "%u" scan takes it: blanks before it, an
// optional sign, at least one digit. Values beyond 32 bits saturate instead
// of overflowing.
bool ScanNumber(std::string_view text, std::size_t& pos, std::int64_t& value) {
    while (pos < text.size() && (text[pos] == ' ' || text[pos] == '\t' || text[pos] == '\r' ||
                                 text[pos] == '\n' || text[pos] == '\v' || text[pos] == '\f'))
        ++pos;
    bool negative = false;
    if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) negative = text[pos++] == '-';
    std::size_t digits = pos;
    std::int64_t magnitude = 0;
    while (pos < text.size() && text[pos] >= '0' && text[pos] <= '9') {
        if (magnitude <= UINT32_MAX) magnitude = magnitude * 10 + (text[pos] - '0');
        ++pos;
    }
    if (pos == digits) return false;
    value = negative ? -magnitude : magnitude;
    return true;
}

int ToInt(std::int64_t v) { return v < INT_MIN ? INT_MIN : v > INT_MAX ? INT_MAX : static_cast<int>(v); }

// "%u" takes a minus sign and wraps, as the stored text was read before.
unsigned ToUnsigned(std::int64_t v) {
    if (v > UINT32_MAX) return UINT32_MAX;
    if (v < -static_cast<std::int64_t>(UINT32_MAX)) return UINT32_MAX;
    return static_cast<unsigned>(static_cast<std::uint32_t>(v));
}

}  // namespace

std::optional<WindowPlacement> ParseWindowPlacement(std::string_view text) {
    std::int64_t n[10];
    std::size_t pos = 0;
    for (int i = 0; i < 10; ++i) {
        if (i > 0) {
            if (pos >= text.size() || text[pos] != ',') return std::nullopt;
            ++pos;
        }
        if (!ScanNumber(text, pos, n[i])) return std::nullopt;
    }
    WindowPlacement p;
    p.flags = ToUnsigned(n[0]);
    p.showCommand = ToUnsigned(n[1]);
    p.minX = ToInt(n[2]);
    p.minY = ToInt(n[3]);
    p.maxX = ToInt(n[4]);
    p.maxY = ToInt(n[5]);
    p.left = ToInt(n[6]);
    p.top = ToInt(n[7]);
    p.right = ToInt(n[8]);
    p.bottom = ToInt(n[9]);
    return p;
}

std::string FormatWindowPlacement(const WindowPlacement& p) {
    char text[160];
    std::snprintf(text, sizeof text, "%u,%u,%d,%d,%d,%d,%d,%d,%d,%d", p.flags, p.showCommand, p.minX, p.minY,
                  p.maxX, p.maxY, p.left, p.top, p.right, p.bottom);
    return text;
}

}  // namespace fern
