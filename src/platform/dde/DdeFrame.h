#pragma once
// The frame codec of the request channel, pure bytes in and out:
//   u32 body length (little endian, at most kDdeMaxFrameBody), then the body:
//   u8 kind, then the kind's fields in order. u32 numbers are little endian;
//   a text is u32 length + bytes; an optional text is u8 0 (none) or u8 1 and
//   a text; a flag is u8 0 or 1. Nothing may follow the last field.
// Every message has exactly one encoding, so decode and encode round-trip.
#include <cstddef>
#include <string>
#include <string_view>

#include "platform/dde/DdeMessage.h"

namespace fern {

constexpr std::size_t kDdeFrameHeader = 4;
constexpr std::size_t kDdeMaxFrameBody = 1024 * 1024;

enum class DdeDecodeStatus {
    Complete,   // one message; `consumed` bytes used
    NeedMore,   // a truncated frame so far
    Malformed,  // unknown kind, bad field, trailing bytes
    Oversized,  // the length says more than kDdeMaxFrameBody
};

struct DdeDecodeResult {
    DdeDecodeStatus status = DdeDecodeStatus::NeedMore;
    std::size_t consumed = 0;
    DdeMessage message;
};

// The frame of a message; empty when its body would be over the limit.
std::string EncodeDdeFrame(const DdeMessage& message);

// Decodes the first frame at the start of `bytes`.
DdeDecodeResult DecodeDdeFrame(std::string_view bytes);

}  // namespace fern
