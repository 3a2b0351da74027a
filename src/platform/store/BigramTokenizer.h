#pragma once
// The full-text index of the history cuts text into overlapping pairs of
// characters (and the last character on its own), so a word of any length is
// found, Japanese words of one or two characters included: SQLite's own
// tokenizers either find no word boundaries in Japanese or, with trigrams,
// nothing shorter than three characters. Text is Shift-JIS; single-byte
// letters are folded and runs of blanks count as one space. The index
// answers without case; callers that need case check the hits.
#include <sqlite3.h>

#include <functional>
#include <string>
#include <string_view>

namespace fern {

// The name the tokenizer is registered under.
inline constexpr char kBigramTokenizerName[] = "fern_bigram";

// Each token of `text`: its bytes and the byte range of the text it stands
// for. A query (`query` true) gives only the pairs, or the one character of
// a one-character text, so a phrase of them matches the text anywhere.
void ForEachBigram(std::string_view text, bool query,
                   const std::function<void(std::string_view token, std::size_t start, std::size_t end)>& each);

// The MATCH expression that finds `text` (Shift-JIS): a phrase of its pairs,
// or a prefix query for one character. Empty when the text has no character.
std::string BigramMatchExpression(std::string_view text);

// Registers the tokenizer on the connection (FTS5 needs it on each one).
bool RegisterBigramTokenizer(sqlite3* db);

}  // namespace fern
