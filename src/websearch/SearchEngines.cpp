#include "websearch/SearchEngines.h"

#include <sys/stat.h>

#include <cstdio>

#include "platform/fs/FileIo.h"
#include "platform/ini/PrivateProfile.h"
#include "platform/text/SjisSearch.h"

namespace fern {

namespace {

constexpr std::size_t kValueBuffer = 2084;
const char kDoubleByteBlank[] = "\x81\x40";  // "　"

std::string SectionName(int index) {
    char name[32];
    std::snprintf(name, sizeof name, "SearchItem%d", index);
    return name;
}

std::string WithoutLineBreaks(const std::string& value) {
    std::string out;
    for (char c : value)
        if (c != '\r' && c != '\n') out += c;
    return out;
}

bool IsSingleBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

}  // namespace

std::vector<SearchEngine> DefaultSearchEngines() {
    return {
        {false, "goo", "http://search.goo.ne.jp/default.asp?MT=", "&WTS=ntt&SM=MC&DE=2&DC=10&_v=2"},
        {true, "Google", "http://www.google.co.jp/search?lr=lang_ja&q=", "&num=100"},
        {false, "infoseek", "http://www.infoseek.co.jp/Titles?qt=", "&lk=noframes&svx=10&col=JW&qp=0&nh=10"},
        {false, "LYCOS", "http://www.lycos.co.jp/cgi-bin/pursuit?cat=jp&query=", ""},
    };
}

SearchIniContents ReadSearchIni(const std::string& path) {
    SearchIniContents contents;
    struct stat info {};
    if (stat(path.c_str(), &info) == 0 && !ReadWholeFile(path)) contents.unreadable = true;
    if (!contents.unreadable) {
        for (int n = 0;; ++n) {
            std::string section = SectionName(n);
            SearchEngine engine;
            // Stray line-break bytes are dropped as the save drops them, so an
            // engine made of nothing else does not vanish at the next save.
            engine.title =
                WithoutLineBreaks(GetPrivateProfileString(section, "Title", "", path, kValueBuffer));
            engine.front =
                WithoutLineBreaks(GetPrivateProfileString(section, "UrlF", "", path, kValueBuffer));
            engine.back = WithoutLineBreaks(GetPrivateProfileString(section, "UrlB", "", path, kValueBuffer));
            if (engine.title.empty() && engine.front.empty() && engine.back.empty()) break;
            engine.enabled = GetPrivateProfileInt(section, "Enable", 1, path) != 0;
            contents.engines.push_back(std::move(engine));
        }
    }
    if (contents.engines.empty()) contents.engines = DefaultSearchEngines();
    return contents;
}

std::string SerializeSearchIni(const std::vector<SearchEngine>& engines) {
    std::string text;
    for (std::size_t i = 0; i < engines.size(); ++i) {
        const SearchEngine& e = engines[i];
        text += "[" + SectionName(static_cast<int>(i)) + "]\r\n";
        text += std::string("Enable=") + (e.enabled ? "1" : "0") + "\r\n";
        text += "Title=" + WithoutLineBreaks(e.title) + "\r\n";
        text += "UrlF=" + WithoutLineBreaks(e.front) + "\r\n";
        text += "UrlB=" + WithoutLineBreaks(e.back) + "\r\n";
    }
    return text;
}

bool WriteSearchIni(const std::string& path, const std::vector<SearchEngine>& engines, std::string* error) {
    return WriteFileAtomic(path, SerializeSearchIni(engines), error);
}

std::string TrimSearchText(const std::string& text) {
    std::size_t begin = 0, end = text.size();
    while (begin < end) {
        if (IsSingleBlank(text[begin])) ++begin;
        else if (text.compare(begin, 2, kDoubleByteBlank) == 0) begin += 2;
        else break;
    }
    while (end > begin) {
        if (IsSingleBlank(text[end - 1])) --end;
        else if (end - begin >= 2 && text.compare(end - 2, 2, kDoubleByteBlank) == 0 &&
                 IsSjisCharStart(text, end - 2))
            end -= 2;
        else break;
    }
    return text.substr(begin, end - begin);
}

int CSearchEngineList::Add(const std::string& clipboardText) {
    std::string text = TrimSearchText(clipboardText);
    text = TrimSearchText(text.substr(0, text.find('\n')));
    SearchEngine engine;
    engine.title = "新しいサーチエンジン";
    engine.front = text.find("http://") != std::string::npos ? text : "http://";
    m_engines.push_back(std::move(engine));
    return Count() - 1;
}

void CSearchEngineList::Delete(int index) {
    if (Has(index)) m_engines.erase(m_engines.begin() + index);
}

int CSearchEngineList::MoveUp(int index) {
    if (Count() < 2 || !Has(index) || index == 0) return index;
    std::swap(m_engines[index], m_engines[index - 1]);
    return index - 1;
}

int CSearchEngineList::MoveDown(int index) {
    if (Count() < 2 || !Has(index) || index == Count() - 1) return index;
    std::swap(m_engines[index], m_engines[index + 1]);
    return index + 1;
}

void CSearchEngineList::Toggle(int index) {
    if (Has(index)) m_engines[index].enabled = !m_engines[index].enabled;
}

void CSearchEngineList::CheckAll() {
    for (SearchEngine& e : m_engines) e.enabled = true;
}

void CSearchEngineList::UncheckOthers(int index) {
    for (int i = 0; i < Count(); ++i) m_engines[i].enabled = (i == index) ? m_engines[i].enabled : false;
}

void CSearchEngineList::InvertChecks() {
    for (SearchEngine& e : m_engines) e.enabled = !e.enabled;
}

}  // namespace fern
