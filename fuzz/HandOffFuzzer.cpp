// libFuzzer target: the header of a hand-off request as a later start (or
// anything that reaches the socket) sends it. A header is taken only with a
// known kind and a text within the limit, and what the encoder writes is
// what the decoder reads.
#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/shell/HandOff.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < fern::kHandOffHeaderSize) return 0;
    fern::HandOffHeader header{};
    if (fern::DecodeHandOffHeader(data, header)) {
        if (header.kind != fern::HandOffKind::CopyData && header.kind != fern::HandOffKind::Attention)
            __builtin_trap();
        if (header.length > fern::kHandOffMaxText) __builtin_trap();
    }
    std::string text(reinterpret_cast<const char*>(data) + fern::kHandOffHeaderSize,
                     size - fern::kHandOffHeaderSize);
    std::string frame = fern::EncodeHandOff(fern::HandOffKind::CopyData, header.data, text);
    fern::HandOffHeader back{};
    bool fits = text.size() <= fern::kHandOffMaxText;
    if (fern::DecodeHandOffHeader(reinterpret_cast<const unsigned char*>(frame.data()), back) != fits)
        __builtin_trap();
    if (fits && (back.length != text.size() || back.data != header.data ||
                 frame.size() != fern::kHandOffHeaderSize + text.size()))
        __builtin_trap();
    return 0;
}
