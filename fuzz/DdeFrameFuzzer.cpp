// libFuzzer target: the request channel's frame decoder on any bytes, read as
// a server reads a stream. Whatever it accepts must encode back to exactly
// the bytes it came from, so no input can be read two ways.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/dde/DdeFrame.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view bytes(reinterpret_cast<const char*>(data), size);
    for (;;) {
        fern::DdeDecodeResult result = fern::DecodeDdeFrame(bytes);
        if (result.status != fern::DdeDecodeStatus::Complete) break;
        if (result.consumed < fern::kDdeFrameHeader + 1 || result.consumed > bytes.size()) __builtin_trap();
        if (fern::EncodeDdeFrame(result.message) != bytes.substr(0, result.consumed)) __builtin_trap();
        bytes.remove_prefix(result.consumed);
    }
    return 0;
}
