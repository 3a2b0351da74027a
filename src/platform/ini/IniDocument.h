#pragma once
// One INI file as lines of Shift-JIS bytes, read the way the private-profile
// functions read it and changed so that every line the change does not touch
// stays byte for byte as it was (comments, unknown sections, odd spacing).
#include <cstddef>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace fern {

class IniDocument {
public:
    // Never fails: lines that are neither a section header, a "key=value"
    // line nor a comment are kept and ignored. A UTF-8 byte-order mark is
    // skipped and written back.
    static IniDocument Parse(std::string_view bytes);
    std::string Serialize() const;

    // The value of the key in the first section of that name, blanks around it
    // trimmed, quotes kept; nullptr when the section or key is missing.
    // Section and key match without regard to case (single-byte letters).
    const std::string* Find(std::string_view section, std::string_view key) const;
    // The names of the sections in file order, each once (the first header
    // of a name, as the reader sees it).
    std::vector<std::string> SectionNames() const;

    // Each returns whether the document changed.
    bool Set(std::string_view section, std::string_view key, std::string_view value);
    bool DeleteKey(std::string_view section, std::string_view key);
    bool DeleteSection(std::string_view section);

    // Whether `section` and `key` can be written so that they read back as
    // themselves; `value` must hold no line break. Names are trimmed first.
    static bool IsWritableSection(std::string_view section);
    static bool IsWritableKey(std::string_view key);
    static bool IsWritableValue(std::string_view value);

private:
    enum class Kind { Blank, Other, Comment, Section, Key };
    struct Line {
        std::string text;  // without the line end
        std::string end;   // "\r\n", "\n" or "" (last line without one)
        Kind kind = Kind::Other;
        std::string name;   // section or key name, trimmed
        std::string value;  // key value, trimmed
    };
    struct SectionIndex {
        std::size_t header = 0;
        std::unordered_map<std::string, std::size_t> keys;  // folded key -> first line
    };

    static Line MakeLine(std::string text, std::string end);
    void Reindex();
    // Index of the first header of `section`, or npos.
    std::size_t FirstHeader(std::string_view section) const;
    // One past the last line of the section whose header is at `header`.
    std::size_t SectionEnd(std::size_t header) const;
    void EndLine(std::size_t index);

    std::string bom_;
    std::vector<Line> lines_;
    std::unordered_map<std::string, SectionIndex> sections_;  // folded name -> first
};

}  // namespace fern
