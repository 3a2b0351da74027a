#pragma once
// JIS X 0208 <-> Shift-JIS code arithmetic and the kana test shared by the
// encoding detector and the converters. Codes are two bytes in one integer,
// first byte high (0x2422 is JIS "あ", 0x82A0 its Shift-JIS form).

namespace fern {

// Shift-JIS code of a JIS X 0208 code (both bytes 0x21..0x7E); 0 when either
// byte is out of range.
unsigned JisToSjis(unsigned jis);

// JIS X 0208 code of a Shift-JIS double-byte code; 0 when the lead or trail
// byte is not a Shift-JIS one or the result leaves the JIS rows (lead bytes
// 0xF0 and above).
unsigned SjisToJis(unsigned sjis);

// True for the double-byte hiragana (0x829F..0x82F1) and katakana
// (0x8340..0x8393 but 0x837F) codes.
bool IsSjisKana(unsigned sjis);

}  // namespace fern
