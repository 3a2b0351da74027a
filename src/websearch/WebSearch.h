#pragma once
// Searching the web: the address of one engine for some words (front part,
// the words percent-encoded in the code the engine expects, back part), and
// the searches of the panel and of the main window's two commands.
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "lists/SearchStrings.h"
#include "websearch/SearchEngines.h"

namespace fern {

// The code an engine reads its words in: UTF-8, unless a parameter of its
// address (ie, ei, enc, encoding, charset, inputencoding) names Shift-JIS,
// EUC-JP or ISO-2022-JP.
enum class SearchWordCode { Utf8, ShiftJis, EucJp, Jis };
SearchWordCode SearchWordCodeOf(const SearchEngine& engine);

// The words (Shift-JIS) in that code, every byte but letters, digits and
// "-._~" as "%XX", so a "&", "#" or blank cannot end the words early.
std::string EncodeSearchWords(const std::string& words, SearchWordCode code);

// front + encoded words + back.
std::string SearchUrl(const SearchEngine& engine, const std::string& words);

// The addresses one search opens: engine `only` alone (nothing when there is
// no such row), or every checked engine in list order. Empty words open
// nothing.
std::vector<std::string> SearchUrls(const std::vector<SearchEngine>& engines, const std::string& words,
                                    std::optional<int> only);

// A new tab; the page gets the focus when `FBStyle` bit 1 is set, as for the
// other panels of the side bar.
int WebSearchOpenFlags(int fernBarStyle);

class CWebSearch {
public:
    struct Services {
        // The program's open operation: text, open flags, download-control
        // flags, security mode.
        std::function<void(const std::string&, int, std::uint32_t, int)> open;
        std::function<std::uint32_t()> defaultDownloadControl;  // `BODLCDefault`
        std::function<int()> fernBarStyle;                      // `FBStyle`
    };

    CWebSearch(CSearchEngineList& engines, SearchStrings& words, Services services)
        : m_engines(engines), m_words(words), m_services(std::move(services)) {}

    // The panel's "検索": the words go to the top of the strings, then every
    // checked engine.
    void SearchFromPanel(const std::string& words);
    void Search(const std::string& words, std::optional<int> only);

    // The main window's web search: the clipboard text trimmed; searched with
    // every checked engine when there is any, else false (the caller asks for
    // the words with empty words).
    bool SearchClipboard(const std::optional<std::string>& clipboard);
    // The words the dialog "Web検索ワード" opens with: the trimmed clipboard.
    static std::string DialogWords(const std::optional<std::string>& clipboard);

    // "Web検索ワード": the engine it shows first (the one chosen last time,
    // the first when that row is gone or none was chosen; -1 without
    // engines) and the check box "サーチエンジンを指定(&S)".
    int DialogEngine() const;
    bool DialogUsesEngine() const { return m_useEngine; }
    // OK: the words go to the top of the strings, the choice is remembered,
    // then one engine or all checked ones search.
    void DialogAccepted(const std::string& words, int engine, bool useEngine);

private:
    CSearchEngineList& m_engines;
    SearchStrings& m_words;
    Services m_services;
    int m_lastEngine = -1;
    bool m_useEngine = false;
};

}  // namespace fern
