#pragma once
// Finding a Shift-JIS text in a long one, fast: plain byte search, then a
// check that the hit starts on a character boundary (a trail byte followed
// by the next character's lead byte can look like the text sought). Without
// case, single-byte letters are folded and double-byte characters are left
// alone, as SjisToLower does.
#include <cstddef>
#include <string>
#include <string_view>

namespace fern {

// True when `index` starts a character (or is the end of the text), found by
// looking backwards only: before it, a run of bytes that can lead a
// character pairs up from its start.
bool IsSjisCharStart(std::string_view text, std::size_t index);

// Single-byte letters to lower case, double-byte characters untouched, into
// `out` (reused between calls).
void SjisFoldInto(std::string_view text, std::string& out);

class SjisSearcher {
public:
    SjisSearcher(std::string_view needle, bool caseSensitive);

    // The first hit at or after `from`, npos when none. An empty needle is
    // found at `from`. One searcher serves one thread: it folds into a
    // buffer of its own.
    std::size_t Find(std::string_view text, std::size_t from = 0) const;
    bool FoundIn(std::string_view text) const { return Find(text) != std::string_view::npos; }
    const std::string& Needle() const { return m_needle; }

private:
    std::string m_needle;  // folded when the search ignores case
    bool m_fold = false;   // the text must be folded too
    mutable std::string m_folded;
};

// The same for UTF-8 text (the history file's titles and addresses): its
// bytes below 0x80 are always single characters, so letters fold byte by
// byte and every hit starts on a character.
class Utf8Searcher {
public:
    Utf8Searcher(std::string_view needle, bool caseSensitive);
    bool FoundIn(std::string_view text) const;

private:
    std::string m_needle;
    bool m_fold = false;
    mutable std::string m_folded;
};

}  // namespace fern
