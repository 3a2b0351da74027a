#include "platform/store/BigramTokenizer.h"

#include <cstring>

#include "platform/text/SjisByteClass.h"

namespace fern {

namespace {

bool IsBlank(unsigned char c) { return c == ' ' || (c >= '\t' && c <= '\r') || c == 0; }

// A character as the index keeps it: its Shift-JIS code as a code point in
// UTF-8, so FTS5's prefix index (which counts UTF-8 characters) can find
// every pair that starts with one character. Double-byte codes (0x8140 ..
// 0xFCFC) never fall on the surrogates.
std::size_t EncodeChar(unsigned code, char* out) {
    if (code < 0x80) {
        out[0] = static_cast<char>(code);
        return 1;
    }
    if (code < 0x800) {
        out[0] = static_cast<char>(0xC0 | (code >> 6));
        out[1] = static_cast<char>(0x80 | (code & 0x3F));
        return 2;
    }
    out[0] = static_cast<char>(0xE0 | (code >> 12));
    out[1] = static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    out[2] = static_cast<char>(0x80 | (code & 0x3F));
    return 3;
}

struct Char {
    unsigned code;
    std::size_t start, end;
};

// Walks the characters of the text as the index sees them.
template <typename F>
void ForEachChar(std::string_view text, F&& f) {
    const auto* p = reinterpret_cast<const unsigned char*>(text.data());
    const std::size_t n = text.size();
    std::size_t i = 0;
    while (i < n) {
        unsigned char c = p[i];
        if (IsBlank(c)) {
            std::size_t start = i;
            while (i < n && IsBlank(p[i])) ++i;
            f(Char{' ', start, i});
        } else if (IsSjisLeadByte(c) && i + 1 < n && IsSjisTrailByte(p[i + 1])) {
            f(Char{(static_cast<unsigned>(c) << 8) | p[i + 1], i, i + 2});
            i += 2;
        } else {
            f(Char{(c >= 'A' && c <= 'Z') ? c + 0x20u : c, i, i + 1});
            ++i;
        }
    }
}

// FTS5's tokenizer objects: they keep only which cut they make.
struct Tokenizer {
    bool chars;
};

int CreateBigrams(void*, const char**, int, Fts5Tokenizer** out) {
    *out = reinterpret_cast<Fts5Tokenizer*>(new Tokenizer{false});
    return SQLITE_OK;
}

int CreateChars(void*, const char**, int, Fts5Tokenizer** out) {
    *out = reinterpret_cast<Fts5Tokenizer*>(new Tokenizer{true});
    return SQLITE_OK;
}

void Delete(Fts5Tokenizer* tokenizer) { delete reinterpret_cast<Tokenizer*>(tokenizer); }

int Tokenize(Fts5Tokenizer* tokenizer, void* context, int, const char* text, int size,
             int (*token)(void*, int, const char*, int, int, int)) {
    int rc = SQLITE_OK;
    TokenSink sink = [&](std::string_view bytes, std::size_t start, std::size_t end) {
        if (rc == SQLITE_OK)
            rc = token(context, 0, bytes.data(), static_cast<int>(bytes.size()), static_cast<int>(start),
                       static_cast<int>(end));
    };
    std::string_view view(text, size > 0 ? static_cast<std::size_t>(size) : 0);
    if (reinterpret_cast<Tokenizer*>(tokenizer)->chars) ForEachCharToken(view, sink);
    else ForEachBigram(view, sink);
    return rc;
}

}  // namespace

void ForEachBigram(std::string_view text, const TokenSink& each) {
    bool have = false;
    Char previous{};
    char token[8];
    ForEachChar(text, [&](const Char& c) {
        if (have) {
            std::size_t n = EncodeChar(previous.code, token);
            n += EncodeChar(c.code, token + n);
            each(std::string_view(token, n), previous.start, c.end);
        }
        previous = c;
        have = true;
    });
}

void ForEachCharToken(std::string_view text, const TokenSink& each) {
    char token[4];
    ForEachChar(text, [&](const Char& c) {
        each(std::string_view(token, EncodeChar(c.code, token)), c.start, c.end);
    });
}

std::size_t IndexedCharCount(std::string_view text) {
    std::size_t count = 0;
    ForEachChar(text, [&](const Char&) { ++count; });
    return count;
}

std::string IndexMatchExpression(std::string_view text) {
    if (text.empty()) return std::string();
    // Inside a phrase only the double quote is special; no trail byte is one.
    std::string phrase = "\"";
    for (char c : text) phrase += (c == '"') ? std::string("\"\"") : std::string(1, c);
    return phrase + '"';
}

bool RegisterBigramTokenizer(sqlite3* db) {
    fts5_api* api = nullptr;
    sqlite3_stmt* statement = nullptr;
    if (sqlite3_prepare_v2(db, "SELECT fts5(?1)", -1, &statement, nullptr) != SQLITE_OK) return false;
    sqlite3_bind_pointer(statement, 1, &api, "fts5_api_ptr", nullptr);
    sqlite3_step(statement);
    sqlite3_finalize(statement);
    if (!api) return false;
    static fts5_tokenizer bigrams = {CreateBigrams, Delete, Tokenize};
    static fts5_tokenizer chars = {CreateChars, Delete, Tokenize};
    return api->xCreateTokenizer(api, kBigramTokenizerName, nullptr, &bigrams, nullptr) == SQLITE_OK &&
           api->xCreateTokenizer(api, kCharTokenizerName, nullptr, &chars, nullptr) == SQLITE_OK;
}

}  // namespace fern
