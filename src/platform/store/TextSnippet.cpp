#include "platform/store/TextSnippet.h"

#include <algorithm>

#include "platform/text/SjisByteClass.h"
#include "platform/text/SjisSearch.h"

namespace fern {

namespace {

// Markup is thicker than text: look this much further for enough of it.
constexpr std::size_t kMarkupFactor = 8;

bool IsBlank(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

// The start of the character at or before `index`.
std::size_t CharStartAtOrBefore(std::string_view text, std::size_t index) {
    while (index > 0 && !IsSjisCharStart(text, index)) --index;
    return index;
}

// The last `bytes` of plain text, starting on a character.
std::string TailOf(const std::string& plain, std::size_t bytes) {
    if (plain.size() <= bytes) return plain;
    std::size_t from = plain.size() - bytes;
    from = SjisSafeCut(plain, from);
    if (SjisByteClassAt(plain, from) == SjisByteClass::Trail) ++from;
    return plain.substr(from);
}

}  // namespace

std::string PlainTextOf(std::string_view markup) {
    std::string out;
    out.reserve(markup.size());
    std::size_t i = 0;
    // A ">" before any "<" ends a tag that began before the piece.
    std::size_t firstOpen = SjisFind(markup, '<');
    std::size_t firstClose = SjisFind(markup, '>');
    if (firstClose != std::string_view::npos && firstClose < firstOpen) i = firstClose + 1;
    bool blank = false;
    while (i < markup.size()) {
        auto c = static_cast<unsigned char>(markup[i]);
        if (c == '<') {
            std::size_t close = SjisFind(markup, '>', i);
            if (close == std::string_view::npos) break;
            i = close + 1;
            blank = true;
            continue;
        }
        if (IsBlank(static_cast<char>(c))) {
            blank = true;
            ++i;
            continue;
        }
        if (blank && !out.empty()) out += ' ';
        blank = false;
        std::size_t width = (IsSjisLeadByte(c) && i + 1 < markup.size() &&
                             IsSjisTrailByte(static_cast<unsigned char>(markup[i + 1])))
                                ? 2
                                : 1;
        out.append(markup.substr(i, width));
        i += width;
    }
    return out;
}

TextSnippet MakeSnippet(std::string_view text, std::size_t pos, std::size_t length, std::size_t context) {
    TextSnippet snippet;
    pos = std::min(pos, text.size());
    length = std::min(length, text.size() - pos);
    std::size_t reach = context * kMarkupFactor;
    std::size_t from = CharStartAtOrBefore(text, pos > reach ? pos - reach : 0);
    std::size_t to = std::min(text.size(), pos + length + reach);
    to = CharStartAtOrBefore(text, to);
    std::string before = PlainTextOf(text.substr(from, pos - from));
    snippet.before = TailOf(before, context);
    if (!before.empty() && IsBlank(text[pos - 1])) snippet.before += ' ';
    snippet.match = std::string(text.substr(pos, length));
    std::string after = PlainTextOf(text.substr(pos + length, to - pos - length));
    if (pos + length < text.size() && IsBlank(text[pos + length]) && !after.empty()) after = " " + after;
    snippet.after = after.substr(0, SjisSafeCut(after, context));
    return snippet;
}

}  // namespace fern
