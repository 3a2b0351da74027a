#include "platform/text/SjisSearch.h"

#include <cstring>

#include "platform/text/SjisByteClass.h"

namespace fern {

namespace {

bool IsAsciiUpper(unsigned char c) { return c >= 'A' && c <= 'Z'; }

}  // namespace

bool IsSjisCharStart(std::string_view text, std::size_t index) {
    if (index == 0 || index >= text.size()) return true;
    // A byte that cannot lead a character ends one, so the characters start
    // again after it; the lead-capable bytes after it pair up from there.
    std::size_t run = 0;
    while (run < index && IsSjisLeadByte(static_cast<unsigned char>(text[index - 1 - run]))) ++run;
    if (run % 2 == 0) return true;
    // The byte before `index` leads; it forms a character with this byte
    // only when this one can trail.
    return !IsSjisTrailByte(static_cast<unsigned char>(text[index]));
}

void SjisFoldInto(std::string_view text, std::string& out) {
    out.assign(text.data(), text.size());
    const std::size_t n = out.size();
    for (std::size_t i = 0; i < n; ++i) {
        auto c = static_cast<unsigned char>(out[i]);
        if (c < 0x80) {
            if (IsAsciiUpper(c)) out[i] = static_cast<char>(c + ('a' - 'A'));
        } else if (IsSjisLeadByte(c) && i + 1 < n &&
                   IsSjisTrailByte(static_cast<unsigned char>(out[i + 1]))) {
            ++i;
        }
    }
}

SjisSearcher::SjisSearcher(std::string_view needle, bool caseSensitive) : m_needle(needle) {
    if (caseSensitive) return;
    m_needle = SjisToLower(needle);
    // Folding the text can change only hits on single-byte letters, so a
    // needle without any is sought in the text as it stands.
    std::size_t i = 0;
    while (i < m_needle.size() && !m_fold) {
        auto c = static_cast<unsigned char>(m_needle[i]);
        if (IsSjisLeadByte(c) && i + 1 < m_needle.size() &&
            IsSjisTrailByte(static_cast<unsigned char>(m_needle[i + 1]))) {
            i += 2;
            continue;
        }
        m_fold = (c >= 'a' && c <= 'z');
        ++i;
    }
}

std::size_t SjisSearcher::Find(std::string_view text, std::size_t from) const {
    if (from > text.size()) return std::string_view::npos;
    if (m_needle.empty()) return from;
    std::string_view hay = text;
    if (m_fold) {
        SjisFoldInto(text, m_folded);
        hay = m_folded;
    }
    std::size_t at = from;
    while (at + m_needle.size() <= hay.size()) {
        const void* hit = memmem(hay.data() + at, hay.size() - at, m_needle.data(), m_needle.size());
        if (!hit) break;
        std::size_t pos = static_cast<std::size_t>(static_cast<const char*>(hit) - hay.data());
        if (IsSjisCharStart(text, pos)) return pos;
        at = pos + 1;
    }
    return std::string_view::npos;
}

Utf8Searcher::Utf8Searcher(std::string_view needle, bool caseSensitive) : m_needle(needle) {
    if (caseSensitive) return;
    for (char& c : m_needle) {
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c + 0x20);
        m_fold = m_fold || (c >= 'a' && c <= 'z');
    }
}

bool Utf8Searcher::FoundIn(std::string_view text) const {
    if (m_needle.empty()) return true;
    std::string_view hay = text;
    if (m_fold) {
        m_folded.assign(text.data(), text.size());
        for (char& c : m_folded)
            if (c >= 'A' && c <= 'Z') c = static_cast<char>(c + 0x20);
        hay = m_folded;
    }
    return memmem(hay.data(), hay.size(), m_needle.data(), m_needle.size()) != nullptr;
}

}  // namespace fern
