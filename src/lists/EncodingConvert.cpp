#include "lists/EncodingConvert.h"

#include <algorithm>

#include "lists/EncodingDetect.h"
#include "lists/EncodingJisMapping.h"
#include "platform/text/Encoding.h"

namespace fern {

namespace {

using Byte = unsigned char;

constexpr std::size_t kDetectBytes = 1024;
constexpr std::size_t kShortText = 3;
const char kSubstitute[] = "\x81\xAC";  // "〓"

bool InRange(Byte b, Byte lo, Byte hi) { return b >= lo && b <= hi; }

void AppendCode(std::string& out, unsigned code) {
    out.push_back(static_cast<char>(code >> 8));
    out.push_back(static_cast<char>(code & 0xFF));
}

std::string JisToShiftJis(std::string_view text) {
    enum { kSingle, kKanji, kKana } mode = kSingle;
    const auto* p = reinterpret_cast<const Byte*>(text.data());
    std::size_t n = text.size();
    std::string out;
    out.reserve(n);
    std::size_t i = 0;
    while (i < n) {
        Byte c = p[i];
        if (c == 0x1B && n - i >= 3 && (p[i + 1] == '$' || p[i + 1] == '(')) {
            if (p[i + 1] == '$') mode = kKanji;
            else mode = p[i + 2] == 'I' ? kKana : kSingle;
            i += 3;
            continue;
        }
        if (c == 0x1B || mode == kSingle) {  // other escape sequences are copied
            out.push_back(static_cast<char>(c));
            ++i;
        } else if (mode == kKana) {
            out.push_back(static_cast<char>(InRange(c, 0x21, 0x5F) ? c | 0x80 : c));
            ++i;
        } else if (c < 0x21) {
            // A line break or control byte inside a broken kanji run is kept
            // and the pairs start again after it.
            out.push_back(static_cast<char>(c));
            ++i;
        } else {
            unsigned sjis = i + 1 < n ? JisToSjis((c << 8) | p[i + 1]) : 0;
            if (sjis != 0) AppendCode(out, sjis);
            else out += kSubstitute;
            i += 2;
        }
    }
    return out;
}

std::string EucToShiftJis(std::string_view text) {
    const auto* p = reinterpret_cast<const Byte*>(text.data());
    std::size_t n = text.size();
    std::string out;
    out.reserve(n);
    std::size_t i = 0;
    while (i < n) {
        Byte c = p[i];
        if (c < 0x80) {
            out.push_back(static_cast<char>(c));
            ++i;
        } else if (c == 0x8E) {  // half-width kana; anything else after it is dropped
            if (i + 1 < n && InRange(p[i + 1], 0xA1, 0xDF)) out.push_back(static_cast<char>(p[i + 1]));
            i += 2;
        } else if (c == 0x8F) {  // JIS X 0212 has no Shift-JIS form
            out += kSubstitute;
            i += 3;
        } else if (i + 1 < n && InRange(c, 0xA1, 0xFE) && InRange(p[i + 1], 0xA1, 0xFE)) {
            unsigned sjis = JisToSjis(((c & 0x7Fu) << 8) | (p[i + 1] & 0x7Fu));
            if (sjis != 0) AppendCode(out, sjis);
            else out += kSubstitute;
            i += 2;
        } else {
            // Only the bad byte goes, so an ASCII byte after it survives.
            out += kSubstitute;
            ++i;
        }
    }
    return out;
}

std::string ThroughIconv(std::string_view text, const char* from, std::string_view mark) {
    if (text.substr(0, mark.size()) == mark) text.remove_prefix(mark.size());
    std::string out;
    if (!ConvertEncoding(text, from, "CP932", out)) return std::string(text);
    return out;
}

}  // namespace

std::string ConvertCodeToShiftJis(std::string_view bytes, int code) {
    switch (code) {
        case kEncodingJis: return JisToShiftJis(bytes);
        case kEncodingEuc: return EucToShiftJis(bytes);
        case kEncodingUnicode: return ThroughIconv(bytes, "UTF-16LE", std::string_view("\xFF\xFE", 2));
        case kEncodingUnicodeBe: return ThroughIconv(bytes, "UTF-16BE", std::string_view("\xFE\xFF", 2));
        case kEncodingUtf8: return ThroughIconv(bytes, "UTF-8", "\xEF\xBB\xBF");
        case kEncodingUtf7: return ThroughIconv(bytes, "UTF-7", "");
        default:  // Shift-JIS, or a code we do not know
            return std::string(bytes);
    }
}

int ChooseConversionCode(const char* bytes, std::size_t length, EncodingConversionContext& context) {
    if (context.forcedCode != -1) context.detectedCode = context.forcedCode;
    else if (length > kShortText && bytes != nullptr)
        context.detectedCode = DetectEncoding(bytes, std::min(length, kDetectBytes));
    return context.detectedCode;
}

std::string ConvertToShiftJis(const char* bytes, std::size_t length, EncodingConversionContext& context) {
    int code = ChooseConversionCode(bytes, length, context);
    if (bytes == nullptr) return std::string();
    return ConvertCodeToShiftJis(std::string_view(bytes, length), code);
}

}  // namespace fern
