#include "lists/EncodingDetect.h"

#include <algorithm>
#include <atomic>
#include <string>

#include "lists/EncodingJisMapping.h"
#include "platform/text/Encoding.h"
#include "platform/text/SjisByteClass.h"

namespace fern {

namespace {

using Byte = unsigned char;

bool InRange(Byte b, Byte lo, Byte hi) { return b >= lo && b <= hi; }

// The passes ask iconv about single characters; the answers never change, so
// each is kept once worked out (0 = not asked yet). Racing threads store the
// same value.
std::atomic<int> g_unitToSjis[0x10000];
std::atomic<unsigned char> g_sjisValid[0x10000];

// Shift-JIS form of one UTF-16 unit (a byte or a double-byte code), or -1
// when code page 932 cannot hold it.
int UnitToSjis(char16_t unit) {
    int known = g_unitToSjis[unit].load(std::memory_order_relaxed);
    if (known != 0) return known - 2;
    char in[2] = {static_cast<char>(unit & 0xFF), static_cast<char>(unit >> 8)};
    std::string out;
    int result = -1;
    if (ConvertEncoding(std::string_view(in, 2), "UTF-16LE", "CP932", out)) {
        if (out.size() == 1 && (out[0] != '?' || unit == u'?')) result = static_cast<Byte>(out[0]);
        else if (out.size() == 2) result = (static_cast<Byte>(out[0]) << 8) | static_cast<Byte>(out[1]);
    }
    g_unitToSjis[unit].store(result + 2, std::memory_order_relaxed);
    return result;
}

bool UnitIsSjisKana(char16_t unit) {
    int sjis = UnitToSjis(unit);
    return sjis > 0xFF && IsSjisKana(static_cast<unsigned>(sjis));
}

// A double-byte code is a real character when code page 932 gives it a wide
// character and the code maps back to a JIS row.
bool IsValidSjisChar(unsigned code) {
    unsigned char known = g_sjisValid[code].load(std::memory_order_relaxed);
    if (known != 0) return known == 2;
    char in[2] = {static_cast<char>(code >> 8), static_cast<char>(code & 0xFF)};
    std::string out;
    bool valid = ConvertEncoding(std::string_view(in, 2), "CP932", "UTF-16LE", out) && out.size() == 2 &&
                 out != std::string_view("?\0", 2) && SjisToJis(code) != 0;
    g_sjisValid[code].store(valid ? 2 : 1, std::memory_order_relaxed);
    return valid;
}

int ScoreEuc(const Byte* p, std::size_t n) {
    int score = 0;
    std::size_t i = 0;
    while (i < n) {
        if (p[i] == 0x8E) {  // single shift to half-width kana
            ++score;
            i += 2;
        } else if (i + 1 < n && InRange(p[i], 0xA1, 0xFE) && InRange(p[i + 1], 0xA1, 0xFE)) {
            unsigned sjis = JisToSjis(((p[i] & 0x7Fu) << 8) | (p[i + 1] & 0x7Fu));
            if (sjis == 0) {
                ++i;
                continue;
            }
            if (IsSjisKana(sjis)) ++score;
            i += 2;
        } else {
            ++i;
        }
    }
    return score;
}

int ScoreSjis(const Byte* p, std::size_t n) {
    int score = 0;
    std::size_t i = 0;
    while (i < n) {
        if (IsSjisLeadByte(p[i]) && i + 1 < n && IsSjisTrailByte(p[i + 1])) {
            unsigned code = (p[i] << 8) | p[i + 1];
            // From 0xE380 on, lead and trail bytes also read as UTF-8 kana.
            if (code < 0xE380 && IsValidSjisChar(code)) ++score;
            i += 2;
        } else {
            ++i;
        }
    }
    return score;
}

int ScoreJis(const Byte* p, std::size_t n) {
    enum { kSingle, kKanji, kKana } mode = kSingle;
    int score = 0;
    std::size_t kanjiStart = 0;
    std::size_t i = 0;
    while (i < n) {
        if (p[i] == 0x1B && n - i >= 3) {
            Byte a = p[i + 1], b = p[i + 2];
            if (a == '$' && (b == 'B' || b == '@')) {
                // A run still open here was never closed: it counts nothing.
                mode = kKanji;
                kanjiStart = i + 3;
                i += 3;
                continue;
            }
            if (a == '(' && (b == 'I' || b == 'B' || b == 'J')) {
                if (mode == kKanji) score += static_cast<int>((i - kanjiStart) / 2);
                mode = b == 'I' ? kKana : kSingle;
                i += 3;
                continue;
            }
        }
        if (mode == kKana) ++score;
        ++i;
    }
    return score;
}

int ScoreUtf8(const Byte* p, std::size_t n) {
    int score = 0;
    std::size_t i = 0;
    while (i < n) {
        if (i + 2 < n && (p[i] & 0xF0) == 0xE0 && (p[i + 1] & 0xC0) == 0x80 && (p[i + 2] & 0xC0) == 0x80) {
            auto unit =
                static_cast<char16_t>(((p[i] & 0x0F) << 12) | ((p[i + 1] & 0x3F) << 6) | (p[i + 2] & 0x3F));
            if (UnitIsSjisKana(unit)) score += 3;
            i += 3;
        } else if (i + 1 < n && (p[i] & 0xE0) == 0xC0 && (p[i + 1] & 0xC0) == 0x80) {
            auto unit = static_cast<char16_t>(((p[i] & 0x1F) << 6) | (p[i + 1] & 0x3F));
            if (UnitIsSjisKana(unit)) score += 2;
            i += 2;
        } else {
            ++i;
        }
    }
    return score;
}

int Base64Value(Byte c) {
    if (c >= 'A' && c <= 'Z') return c - 'A';
    if (c >= 'a' && c <= 'z') return c - 'a' + 26;
    if (c >= '0' && c <= '9') return c - '0' + 52;
    if (c == '+') return 62;
    if (c == '/') return 63;
    return -1;
}

// Characters of one base64 run that code page 932 can hold; 0 when the run
// does not decode to whole UTF-16 units.
int ScoreUtf7Run(const Byte* run, std::size_t length) {
    std::string bytes;
    unsigned bits = 0;
    int bitCount = 0;
    for (std::size_t i = 0; i < length; ++i) {
        bits = (bits << 6) | static_cast<unsigned>(Base64Value(run[i]));
        bitCount += 6;
        if (bitCount >= 8) {
            bitCount -= 8;
            bytes.push_back(static_cast<char>((bits >> bitCount) & 0xFF));
        }
    }
    if (bytes.size() % 2 != 0) return 0;
    int score = 0;
    for (std::size_t i = 0; i < bytes.size(); i += 2) {
        auto unit =
            static_cast<char16_t>((static_cast<Byte>(bytes[i]) << 8) | static_cast<Byte>(bytes[i + 1]));
        if (UnitToSjis(unit) >= 0) ++score;
    }
    return score;
}

int ScoreUtf7(const Byte* p, std::size_t n) {
    int score = 0;
    bool inRun = false;
    std::size_t runStart = 0;
    std::size_t i = 0;
    while (i < n) {
        Byte c = p[i];
        if (!inRun) {
            if (c == '+' && i + 1 < n && p[i + 1] == '-') {
                i += 2;  // a literal "+"
                continue;
            }
            if (c == '+' && i + 1 < n && Base64Value(p[i + 1]) >= 0) {
                inRun = true;
                runStart = i + 1;
            }
            ++i;
            continue;
        }
        if (Base64Value(c) >= 0) {
            ++i;
            continue;
        }
        inRun = false;
        std::size_t runLength = i - runStart;
        if (c == '-') {
            if (runLength >= 3) score += ScoreUtf7Run(p + runStart, runLength);
        } else if (c >= 0x80) {
            score = 0;  // no UTF-7 text holds such a byte
        }
        // CR, LF and other bytes end the run without scoring it.
        ++i;
    }
    return score;
}

}  // namespace

const char* EncodingName(int code) {
    static const char* const kNames[] = {"SJIS", "JIS", "EUC", "UNICODE", "UTF8", "UTF7", "UNICODEBE"};
    if (code < 0 || code > 6) return "";
    return kNames[code];
}

EncodingScores ScoreEncodings(const char* bytes, std::size_t length) {
    EncodingScores s;
    if (bytes == nullptr) return s;
    const auto* p = reinterpret_cast<const Byte*>(bytes);
    s.euc = ScoreEuc(p, length);
    s.sjis = ScoreSjis(p, length);
    s.jis = ScoreJis(p, length);
    s.utf8 = ScoreUtf8(p, length);
    s.utf7 = ScoreUtf7(p, length);
    return s;
}

int DecideEncoding(const EncodingScores& s) {
    int best = std::max({s.euc, s.sjis, s.jis, s.utf8, s.utf7});
    auto wins = [best](int score) { return score > 0 && score >= best; };
    if (wins(s.euc)) return kEncodingEuc;
    if (wins(s.utf7)) return kEncodingUtf7;
    if (wins(s.utf8)) return kEncodingUtf8;
    if (wins(s.jis)) return kEncodingJis;
    return kEncodingSjis;
}

int DetectEncoding(const char* bytes, std::size_t length) {
    if (bytes == nullptr) return kEncodingSjis;
    const auto* p = reinterpret_cast<const Byte*>(bytes);
    if (length >= 2 && p[0] == 0xFF && p[1] == 0xFE) return kEncodingUnicode;
    if (length >= 2 && p[0] == 0xFE && p[1] == 0xFF) return kEncodingUnicodeBe;
    if (length >= 3 && p[0] == 0xEF && p[1] == 0xBB && p[2] == 0xBF) return kEncodingUtf8;
    return DecideEncoding(ScoreEncodings(bytes, length));
}

}  // namespace fern
