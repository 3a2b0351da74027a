#pragma once
// The web search panel's engines: each a title, the part of the address
// before the search words and the part after them, and a check box that says
// whether "search with all" uses it. Kept in search.ini in the data folder.
#include <string>
#include <vector>

namespace fern {

struct SearchEngine {
    bool enabled = true;
    std::string title;
    std::string front;  // `UrlF`
    std::string back;   // `UrlB`
};

// goo, Google, infoseek and LYCOS, Google alone checked.
std::vector<SearchEngine> DefaultSearchEngines();

struct SearchIniContents {
    std::vector<SearchEngine> engines;
    // The file is there but cannot be read: it must not be replaced.
    bool unreadable = false;
};

// "SearchItem0", "SearchItem1", ... until a section whose title and both
// parts are empty; the default engines when none was read. Values are read
// as the profile functions read them (2083 bytes at most).
SearchIniContents ReadSearchIni(const std::string& path);
// The whole file, sections in list order, lines ending in CR LF. A value
// cannot hold a line break, so line breaks are left out of it.
std::string SerializeSearchIni(const std::vector<SearchEngine>& engines);
// Atomic; false with the reason when it could not be written.
bool WriteSearchIni(const std::string& path, const std::vector<SearchEngine>& engines, std::string* error);

// The list of the panel and its menu's changes.
class CSearchEngineList {
public:
    CSearchEngineList() = default;
    explicit CSearchEngineList(std::vector<SearchEngine> engines) : m_engines(std::move(engines)) {}

    const std::vector<SearchEngine>& Engines() const { return m_engines; }
    std::vector<SearchEngine>& Engines() { return m_engines; }
    int Count() const { return static_cast<int>(m_engines.size()); }
    bool Has(int index) const { return index >= 0 && index < Count(); }

    // "追加": the clipboard text trimmed and cut before its first line feed
    // becomes the front part when it holds "http://"; the new engine is
    // "新しいサーチエンジン", checked. Returns its index.
    int Add(const std::string& clipboardText);
    void Delete(int index);
    // The row and its neighbour change places; returns where the row is now
    // (unchanged when it cannot move).
    int MoveUp(int index);
    int MoveDown(int index);
    void Toggle(int index);
    void CheckAll();
    void UncheckOthers(int index);
    void InvertChecks();

private:
    std::vector<SearchEngine> m_engines;
};

// Blanks (single-byte and the double-byte space) off both ends.
std::string TrimSearchText(const std::string& text);

}  // namespace fern
