#include "downloads/DownloadFileName.h"

#include <glib.h>

namespace fern {

namespace {

constexpr std::size_t kExtensionLimit = 16;
const char kDefaultName[] = "download";

bool IsContinuationByte(unsigned char c) { return (c & 0xC0) == 0x80; }

// The longest prefix of at most `bytes` bytes that ends on a character
// boundary of the UTF-8 text.
std::string_view CutUtf8(std::string_view text, std::size_t bytes) {
    if (text.size() <= bytes) return text;
    std::size_t cut = bytes;
    while (cut > 0 && IsContinuationByte(static_cast<unsigned char>(text[cut]))) --cut;
    return text.substr(0, cut);
}

// Characters a file name must not carry: separators, controls (C0, DEL, C1)
// and the marks that reverse the text direction, which can make
// "evil<RLO>txt.exe" look like a ".txt" file.
bool IsUnsafeCharacter(gunichar c) {
    return c == '/' || c == '\\' || c < 0x20 || (c >= 0x7F && c <= 0x9F) || c == 0x200E || c == 0x200F ||
           (c >= 0x202A && c <= 0x202E) || (c >= 0x2066 && c <= 0x2069) || c == 0xFEFF;
}

bool IsBlankOrDot(gunichar c) { return c == '.' || g_unichar_isspace(c); }

// The name as UTF-8: valid UTF-8 as it is, whole Shift-JIS converted, and
// anything else with each stray byte replaced.
std::string AsUtf8(std::string_view name) {
    if (g_utf8_validate(name.data(), static_cast<gssize>(name.size()), nullptr)) return std::string(name);
    gsize written = 0;
    gchar* converted = g_convert(name.data(), static_cast<gssize>(name.size()), "UTF-8", "CP932", nullptr,
                                 &written, nullptr);
    if (converted) {
        std::string result(converted, written);
        g_free(converted);
        return result;
    }
    std::string result;
    const char* p = name.data();
    const char* end = p + name.size();
    while (p < end) {
        gunichar c = g_utf8_get_char_validated(p, end - p);
        if (c == static_cast<gunichar>(-1) || c == static_cast<gunichar>(-2)) {
            result += '_';
            ++p;
            continue;
        }
        const char* next = g_utf8_next_char(p);
        result.append(p, next);
        p = next;
    }
    return result;
}

std::string Cleaned(std::string_view suggested) {
    std::string utf8 = AsUtf8(suggested);
    std::string out;
    const char* p = utf8.data();
    const char* end = p + utf8.size();
    while (p < end) {
        gunichar c = g_utf8_get_char(p);
        const char* next = g_utf8_next_char(p);
        if (IsUnsafeCharacter(c)) out += '_';
        else out.append(p, next);
        p = next;
    }
    // Leading dots hide the file (or make "..") and blanks at either end
    // are easily missed; a trailing dot vanishes on some file systems.
    const char* begin = out.c_str();
    const char* stop = begin + out.size();
    while (begin < stop && IsBlankOrDot(g_utf8_get_char(begin))) begin = g_utf8_next_char(begin);
    while (stop > begin) {
        const char* last = g_utf8_prev_char(stop);
        if (!IsBlankOrDot(g_utf8_get_char(last))) break;
        stop = last;
    }
    return std::string(begin, stop);
}

}  // namespace

std::string FileExtension(std::string_view name) {
    std::size_t dot = name.rfind('.');
    if (dot == std::string_view::npos || dot == 0 || dot + 1 == name.size()) return {};
    return std::string(name.substr(dot));
}

std::string CutFileName(std::string_view name, std::size_t limit) {
    if (name.size() <= limit) return std::string(name);
    std::string extension = FileExtension(name);
    if (!extension.empty() && extension.size() <= kExtensionLimit && extension.size() < limit) {
        std::string_view stem =
            CutUtf8(name.substr(0, name.size() - extension.size()), limit - extension.size());
        if (!stem.empty()) return std::string(stem) + extension;
    }
    return std::string(CutUtf8(name, limit));
}

std::string SafeFileName(std::string_view suggested, std::string_view fallback, std::size_t limit) {
    std::string name = CutFileName(Cleaned(suggested), limit);
    // A cut can leave a blank or a dot at the end of the stem.
    name = Cleaned(name);
    if (!name.empty()) return name;
    if (!fallback.empty()) return SafeFileName(fallback, {}, limit);
    return kDefaultName;
}

std::string PartFileName(std::string_view name, int attempt, std::size_t reserve, std::size_t limit) {
    std::string suffix = attempt > 0 ? "-" + std::to_string(attempt) + ".part" : std::string(".part");
    std::size_t room = limit > reserve + suffix.size() ? limit - reserve - suffix.size() : 1;
    return std::string(CutUtf8(name, room)) + suffix;
}

std::string NumberedFileName(std::string_view name, int number, std::size_t limit) {
    std::string extension = FileExtension(name);
    if (extension.size() > kExtensionLimit) extension.clear();
    std::string_view stem = name.substr(0, name.size() - extension.size());
    std::string mark = " (" + std::to_string(number) + ")";
    std::size_t room = limit > mark.size() + extension.size() ? limit - mark.size() - extension.size() : 1;
    return std::string(CutUtf8(stem, room)) + mark + extension;
}

}  // namespace fern
