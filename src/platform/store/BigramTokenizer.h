#pragma once
// The full-text index of the history cuts text into overlapping pairs of
// characters, so a word of two characters or more is found as a phrase of
// its pairs, Japanese words included: SQLite's own tokenizers either find no
// word boundaries in Japanese or, with trigrams, nothing shorter than three
// characters. A second, much smaller index knows only which characters each
// page holds, for words of one character. Text is Shift-JIS; single-byte
// letters are folded and runs of blanks count as one space. The indexes
// answer without case; callers that need case check the hits.
#include <sqlite3.h>

#include <functional>
#include <string>
#include <string_view>

namespace fern {

// The names the tokenizers are registered under.
inline constexpr char kBigramTokenizerName[] = "fern_bigram";
inline constexpr char kCharTokenizerName[] = "fern_char";

using TokenSink = std::function<void(std::string_view token, std::size_t start, std::size_t end)>;

// Each pair of characters of `text` in order: its bytes and the byte range
// of the text it stands for.
void ForEachBigram(std::string_view text, const TokenSink& each);
// Each character of `text`, as the one-character index keeps it.
void ForEachCharToken(std::string_view text, const TokenSink& each);

// The characters of a text as the indexes count them (a run of blanks is one).
std::size_t IndexedCharCount(std::string_view text);

// The MATCH expression that finds `text` (Shift-JIS): the quoted text, which
// the tokenizer of the index asked turns into a phrase of pairs or the one
// character. Empty when the text has no character.
std::string IndexMatchExpression(std::string_view text);

// Registers both tokenizers on the connection (FTS5 needs them on each one).
bool RegisterBigramTokenizer(sqlite3* db);

}  // namespace fern
