#include "websearch/WebSearch.h"

#include <cstdio>

#include "platform/text/Encoding.h"
#include "platform/text/SjisByteClass.h"

namespace fern {

namespace {

bool IsUnreserved(unsigned char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' ||
           c == '.' || c == '_' || c == '~';
}

// The value of the first parameter named `key` in the query text.
std::optional<std::string> Parameter(const std::string& address, const char* key) {
    std::string lower = SjisToLower(address);
    std::string name = std::string(key) + "=";
    for (std::size_t at = lower.find(name); at != std::string::npos; at = lower.find(name, at + 1)) {
        if (at > 0 && lower[at - 1] != '?' && lower[at - 1] != '&' && lower[at - 1] != ';') continue;
        std::size_t start = at + name.size();
        std::size_t end = lower.find_first_of("&;#", start);
        return lower.substr(start, end == std::string::npos ? std::string::npos : end - start);
    }
    return std::nullopt;
}

}  // namespace

SearchWordCode SearchWordCodeOf(const SearchEngine& engine) {
    std::string address = engine.front + "&" + engine.back;
    for (const char* key : {"ie", "ei", "enc", "encoding", "charset", "inputencoding"}) {
        std::optional<std::string> value = Parameter(address, key);
        if (!value) continue;
        for (const char* name : {"shift_jis", "shift-jis", "sjis", "x-sjis", "cp932", "ms932", "windows-31j"})
            if (*value == name) return SearchWordCode::ShiftJis;
        for (const char* name : {"euc-jp", "euc_jp", "eucjp", "x-euc-jp", "euc"})
            if (*value == name) return SearchWordCode::EucJp;
        for (const char* name : {"iso-2022-jp", "jis"})
            if (*value == name) return SearchWordCode::Jis;
    }
    return SearchWordCode::Utf8;
}

std::string EncodeSearchWords(const std::string& words, SearchWordCode code) {
    std::string bytes;
    switch (code) {
        case SearchWordCode::ShiftJis: bytes = words; break;
        case SearchWordCode::EucJp: ConvertEncoding(words, "CP932", "EUC-JP", bytes); break;
        case SearchWordCode::Jis: ConvertEncoding(words, "CP932", "ISO-2022-JP", bytes); break;
        case SearchWordCode::Utf8: bytes = ToUtf8(words); break;
    }
    std::string out;
    out.reserve(bytes.size() * 3);
    for (char byte : bytes) {
        auto c = static_cast<unsigned char>(byte);
        if (IsUnreserved(c)) {
            out += byte;
        } else {
            char escape[4];
            std::snprintf(escape, sizeof escape, "%%%02X", c);
            out += escape;
        }
    }
    return out;
}

std::string SearchUrl(const SearchEngine& engine, const std::string& words) {
    return engine.front + EncodeSearchWords(words, SearchWordCodeOf(engine)) + engine.back;
}

std::vector<std::string> SearchUrls(const std::vector<SearchEngine>& engines, const std::string& words,
                                    std::optional<int> only) {
    std::vector<std::string> urls;
    if (words.empty()) return urls;
    if (only) {
        if (*only >= 0 && *only < static_cast<int>(engines.size()))
            urls.push_back(SearchUrl(engines[*only], words));
        return urls;
    }
    for (const SearchEngine& engine : engines)
        if (engine.enabled) urls.push_back(SearchUrl(engine, words));
    return urls;
}

int WebSearchOpenFlags(int fernBarStyle) { return (fernBarStyle & 0x2) ? 3 : 1; }

void CWebSearch::Search(const std::string& words, std::optional<int> only) {
    int flags = WebSearchOpenFlags(m_services.fernBarStyle ? m_services.fernBarStyle() : 0);
    std::uint32_t dlc = m_services.defaultDownloadControl ? m_services.defaultDownloadControl() : 0x70;
    for (const std::string& url : SearchUrls(m_engines.Engines(), words, only))
        if (m_services.open) m_services.open(url, flags, dlc, 0);
}

void CWebSearch::SearchFromPanel(const std::string& words) {
    if (words.empty()) return;
    m_words.Push(words);
    Search(words, std::nullopt);
}

std::string CWebSearch::DialogWords(const std::optional<std::string>& clipboard) {
    return clipboard ? TrimSearchText(*clipboard) : std::string();
}

bool CWebSearch::SearchClipboard(const std::optional<std::string>& clipboard) {
    std::string words = DialogWords(clipboard);
    if (words.empty()) return false;
    Search(words, std::nullopt);
    return true;
}

int CWebSearch::DialogEngine() const {
    if (m_engines.Count() == 0) return -1;
    return m_engines.Has(m_lastEngine) ? m_lastEngine : 0;
}

void CWebSearch::DialogAccepted(const std::string& words, int engine, bool useEngine) {
    m_lastEngine = engine;
    m_useEngine = useEngine;
    if (words.empty()) return;
    m_words.Push(words);
    Search(words, useEngine ? std::optional<int>(engine) : std::nullopt);
}

}  // namespace fern
