// libFuzzer target: DetectEncoding and ConvertToShiftJis on any bytes, as a
// search converts page after page with one context, and the conversion of
// every code. A code is always one of the seven, and no conversion may grow
// the text beyond two bytes a byte (the "〓" put for one bad byte).
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "lists/EncodingConvert.h"
#include "lists/EncodingDetect.h"

namespace {

void CheckCode(int code) {
    if (code < fern::kEncodingSjis || code > fern::kEncodingUnicodeBe) __builtin_trap();
    if (*fern::EncodingName(code) == '\0') __builtin_trap();
}

void CheckSize(const std::string& out, std::size_t inputSize) {
    if (out.size() > 2 * inputSize) __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view bytes(reinterpret_cast<const char*>(data), size);
    CheckCode(fern::DetectEncoding(bytes));

    // The first byte forces a code (-1 detects; 7 and 8 are codes that do
    // not exist) and the rest is three texts in a row, the middle one short
    // enough to inherit the code of the one before.
    if (size == 0) return 0;
    fern::EncodingConversionContext context;
    context.forcedCode = static_cast<int>(data[0] % 10) - 1;
    std::string_view rest = bytes.substr(1);
    std::size_t half = rest.size() / 2;
    std::size_t tail = half + 3 < rest.size() ? half + 3 : rest.size();
    std::string_view texts[3] = {rest.substr(0, half), rest.substr(half, 3), rest.substr(tail)};
    for (std::string_view text : texts) {
        std::string out = fern::ConvertToShiftJis(text, context);
        if (context.forcedCode == -1) CheckCode(context.detectedCode);
        if (context.forcedCode >= 0 && context.forcedCode <= fern::kEncodingUnicodeBe)
            CheckSize(out, text.size());
    }
    for (int code = fern::kEncodingSjis; code <= fern::kEncodingUnicodeBe; ++code)
        CheckSize(fern::ConvertCodeToShiftJis(bytes, code), bytes.size());
    return 0;
}
