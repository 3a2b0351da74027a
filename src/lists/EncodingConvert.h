#pragma once
// Conversion of a page's bytes in any of the detectable encodings to the
// program's Shift-JIS text.
#include <cstddef>
#include <string>
#include <string_view>

namespace fern {

// One per search: the code the user forced (-1 = detect) and the code used
// for the last text, which very short texts inherit.
struct EncodingConversionContext {
    int forcedCode = -1;
    int detectedCode = 0;
};

// The code ConvertToShiftJis uses for these bytes, recorded in the context:
// the forced code, else the code detected from the first min(length, 1024)
// bytes, except that a text of 3 bytes or fewer keeps the context's code.
int ChooseConversionCode(const char* bytes, std::size_t length, EncodingConversionContext& context);

// The text in Shift-JIS. Characters code page 932 cannot hold become "?";
// invalid JIS and EUC characters become "〓". A leading byte-order mark is
// not part of the text and is dropped. A code outside 0..6 leaves the bytes
// as they are.
std::string ConvertToShiftJis(const char* bytes, std::size_t length, EncodingConversionContext& context);
inline std::string ConvertToShiftJis(std::string_view bytes, EncodingConversionContext& context) {
    return ConvertToShiftJis(bytes.data(), bytes.size(), context);
}

// The conversion for one known code, without detection.
std::string ConvertCodeToShiftJis(std::string_view bytes, int code);

}  // namespace fern
