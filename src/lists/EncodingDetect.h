#pragma once
// Classifies the bytes of a cached page into one of seven encodings: a
// byte-order mark decides at once; otherwise five scoring passes run and the
// first candidate of a fixed order whose score is positive and not below any
// other score wins.
#include <cstddef>
#include <string_view>

namespace fern {

inline constexpr int kEncodingSjis = 0;
inline constexpr int kEncodingJis = 1;      // ISO-2022-JP
inline constexpr int kEncodingEuc = 2;      // EUC-JP
inline constexpr int kEncodingUnicode = 3;  // UTF-16 little-endian
inline constexpr int kEncodingUtf8 = 4;
inline constexpr int kEncodingUtf7 = 5;
inline constexpr int kEncodingUnicodeBe = 6;  // UTF-16 big-endian

// "SJIS", "JIS", "EUC", "UNICODE", "UTF8", "UTF7", "UNICODEBE"; "" for any
// other code.
const char* EncodingName(int code);

struct EncodingScores {
    int euc = 0;
    int sjis = 0;
    int jis = 0;
    int utf8 = 0;
    int utf7 = 0;
};

// The five passes over all of the given bytes.
EncodingScores ScoreEncodings(const char* bytes, std::size_t length);

// EUC, then UTF-7, then UTF-8, then JIS: the first whose score is above 0
// and not below any of the five wins; otherwise Shift-JIS. The Shift-JIS
// score can only block the others.
int DecideEncoding(const EncodingScores& scores);

// Byte-order mark first (FF FE little-endian UTF-16, FE FF big-endian,
// EF BB BF UTF-8), then the scores. Looks at every byte it is given.
int DetectEncoding(const char* bytes, std::size_t length);
inline int DetectEncoding(std::string_view bytes) { return DetectEncoding(bytes.data(), bytes.size()); }

}  // namespace fern
