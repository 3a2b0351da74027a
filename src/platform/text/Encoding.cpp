#include "platform/text/Encoding.h"

#include <iconv.h>

#include <cerrno>
#include <cstring>
#include <map>
#include <memory>
#include <utility>

namespace fern {

namespace {

struct IconvCloser {
    void operator()(void* cd) const { iconv_close(static_cast<iconv_t>(cd)); }
};
using IconvHandle = std::unique_ptr<void, IconvCloser>;

// iconv_open is costly; each thread keeps one descriptor per pair.
iconv_t CachedIconv(const char* from, const char* to) {
    thread_local std::map<std::pair<std::string, std::string>, IconvHandle> cache;
    auto key = std::make_pair(std::string(from), std::string(to));
    auto it = cache.find(key);
    if (it == cache.end()) {
        iconv_t cd = iconv_open(to, from);
        if (cd == reinterpret_cast<iconv_t>(-1)) return cd;
        it = cache.emplace(key, IconvHandle(cd)).first;
    }
    iconv(static_cast<iconv_t>(it->second.get()), nullptr, nullptr, nullptr, nullptr);
    return static_cast<iconv_t>(it->second.get());
}

bool IsUtf16(const char* name) { return std::strncmp(name, "UTF-16", 6) == 0; }

// Bytes to skip for one invalid unit of the source encoding.
std::size_t InvalidUnitWidth(const char* from, const char* p, std::size_t left) {
    if (IsUtf16(from)) return left >= 2 ? 2 : left;
    if (std::strcmp(from, "UTF-8") == 0) {
        auto c = static_cast<unsigned char>(*p);
        std::size_t w = c >= 0xF0 ? 4 : c >= 0xE0 ? 3 : c >= 0xC0 ? 2 : 1;
        // Stop at the first byte that is not a continuation byte.
        for (std::size_t i = 1; i < w; ++i)
            if (i >= left || (static_cast<unsigned char>(p[i]) & 0xC0) != 0x80) return i;
        return w;
    }
    return 1;
}

}  // namespace

bool ConvertEncoding(std::string_view input, const char* from, const char* to, std::string& output) {
    output.clear();
    iconv_t cd = CachedIconv(from, to);
    if (cd == reinterpret_cast<iconv_t>(-1)) return false;
    std::string question;
    {
        // "?" in the target encoding, for units that cannot be converted.
        iconv_t qcd = CachedIconv("ASCII", to);
        if (qcd != reinterpret_cast<iconv_t>(-1)) {
            char q = '?', buf[8];
            char* in = &q;
            std::size_t inleft = 1, outleft = sizeof buf;
            char* out = buf;
            if (iconv(qcd, &in, &inleft, &out, &outleft) != static_cast<std::size_t>(-1))
                question.assign(buf, out - buf);
            // UTF-16 without an order adds a byte-order mark; drop it.
            if (IsUtf16(to) && question.size() == 4) question.erase(0, 2);
        }
        if (question.empty()) question = "?";
    }

    char* in = const_cast<char*>(input.data());
    std::size_t inleft = input.size();
    char buf[4096];
    while (true) {
        char* out = buf;
        std::size_t outleft = sizeof buf;
        std::size_t r = iconv(cd, inleft ? &in : nullptr, &inleft, &out, &outleft);
        output.append(buf, out - buf);
        if (r != static_cast<std::size_t>(-1)) {
            if (inleft == 0) {
                // Flush any shift state.
                out = buf;
                outleft = sizeof buf;
                iconv(cd, nullptr, nullptr, &out, &outleft);
                output.append(buf, out - buf);
                return true;
            }
            continue;
        }
        if (errno == E2BIG) continue;
        // EILSEQ (invalid or unmappable) or EINVAL (truncated at the end).
        std::size_t skip = InvalidUnitWidth(from, in, inleft);
        if (skip == 0) skip = 1;
        in += skip;
        inleft -= skip;
        output += question;
        if (inleft == 0) return true;
    }
}

std::string ToUtf8(std::string_view sjis) {
    std::string out;
    ConvertEncoding(sjis, "CP932", "UTF-8", out);
    return out;
}

std::string FromUtf8(std::string_view utf8) {
    std::string out;
    ConvertEncoding(utf8, "UTF-8", "CP932", out);
    return out;
}

std::optional<std::string> FromUtf8Exact(std::string_view utf8) {
    iconv_t cd = CachedIconv("UTF-8", "CP932");
    if (cd == reinterpret_cast<iconv_t>(-1)) return std::nullopt;
    std::string output;
    char* in = const_cast<char*>(utf8.data());
    std::size_t inleft = utf8.size();
    char buf[4096];
    while (inleft > 0) {
        char* out = buf;
        std::size_t outleft = sizeof buf;
        std::size_t r = iconv(cd, &in, &inleft, &out, &outleft);
        output.append(buf, out - buf);
        // EILSEQ (invalid or unmappable) or EINVAL (cut off at the end).
        if (r == static_cast<std::size_t>(-1) && errno != E2BIG) return std::nullopt;
    }
    return output;
}

std::u16string ToUtf16(std::string_view sjis) {
    std::string bytes;
    ConvertEncoding(sjis, "CP932", "UTF-16LE", bytes);
    std::u16string out(bytes.size() / 2, u'\0');
    for (std::size_t i = 0; i < out.size(); ++i)
        out[i] = static_cast<char16_t>(static_cast<unsigned char>(bytes[2 * i]) |
                                       (static_cast<unsigned char>(bytes[2 * i + 1]) << 8));
    return out;
}

std::string FromUtf16(std::u16string_view utf16) {
    std::string bytes;
    bytes.reserve(utf16.size() * 2);
    for (char16_t u : utf16) {
        bytes.push_back(static_cast<char>(u & 0xFF));
        bytes.push_back(static_cast<char>(u >> 8));
    }
    std::string out;
    ConvertEncoding(bytes, "UTF-16LE", "CP932", out);
    return out;
}

}  // namespace fern
