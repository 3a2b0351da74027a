#pragma once
// Two 16-bit sizes in one integer key (TabFixBtnSize, LBFixBtnSize): the
// width in the low word, the height in the high word.
#include <cstdint>

namespace fern {

inline int PairWidth(int packed) { return static_cast<int>(static_cast<std::uint32_t>(packed) & 0xFFFF); }

inline int PairHeight(int packed) {
    return static_cast<int>((static_cast<std::uint32_t>(packed) >> 16) & 0xFFFF);
}

inline int PackPair(int width, int height) {
    return static_cast<int>((static_cast<std::uint32_t>(height) & 0xFFFF) << 16 |
                            (static_cast<std::uint32_t>(width) & 0xFFFF));
}

// The width of a packed pair held to lo..hi; the height stays.
inline int ClampPairWidth(int packed, int lo, int hi) {
    int width = PairWidth(packed);
    width = width < lo ? lo : width > hi ? hi : width;
    return PackPair(width, PairHeight(packed));
}

}  // namespace fern
