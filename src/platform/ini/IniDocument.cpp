#include "platform/ini/IniDocument.h"

#include <utility>

#include "platform/text/SjisByteClass.h"

namespace fern {

namespace {

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";
constexpr std::string_view kCrLf = "\r\n";
constexpr std::size_t npos = std::string::npos;

// Blanks are spaces and tabs; neither is ever the trail byte of a character.
bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view TrimLeft(std::string_view s) {
    while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
    return s;
}

std::string_view Trim(std::string_view s) {
    s = TrimLeft(s);
    while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
    return s;
}

bool HasLineBreak(std::string_view s) { return s.find_first_of("\r\n") != npos; }

}  // namespace

IniDocument::Line IniDocument::MakeLine(std::string text, std::string end) {
    Line line;
    std::string_view t = TrimLeft(text);
    if (t.empty()) {
        line.kind = Kind::Blank;
    } else if (t.front() == ';') {
        line.kind = Kind::Comment;
    } else if (t.front() == '[') {
        // The last "]" closes the name, so "[a]b]" is "a]b"; a "]" that is the
        // second byte of a character closes nothing.
        std::size_t close = SjisFindLast(t, ']');
        if (close != npos) {
            line.kind = Kind::Section;
            line.name = Trim(t.substr(1, close - 1));
        }
    } else if (std::size_t eq = t.find('='); eq != npos) {
        // "=" is below the trail-byte range, so a plain search is safe. The
        // first one splits: keys never hold "=", values may.
        line.kind = Kind::Key;
        line.name = Trim(t.substr(0, eq));
        line.value = Trim(t.substr(eq + 1));
    }
    line.text = std::move(text);
    line.end = std::move(end);
    return line;
}

IniDocument IniDocument::Parse(std::string_view bytes) {
    IniDocument doc;
    if (bytes.substr(0, kUtf8Bom.size()) == kUtf8Bom) {
        doc.bom_ = kUtf8Bom;
        bytes.remove_prefix(kUtf8Bom.size());
    }
    while (!bytes.empty()) {
        std::size_t lf = bytes.find('\n');
        std::size_t textLength = lf == npos ? bytes.size() : lf;
        std::size_t lineLength = lf == npos ? bytes.size() : lf + 1;
        if (textLength > 0 && bytes[textLength - 1] == '\r') --textLength;
        doc.lines_.push_back(MakeLine(std::string(bytes.substr(0, textLength)),
                                      std::string(bytes.substr(textLength, lineLength - textLength))));
        bytes.remove_prefix(lineLength);
    }
    doc.Reindex();
    return doc;
}

std::string IniDocument::Serialize() const {
    std::size_t size = bom_.size();
    for (const Line& line : lines_) size += line.text.size() + line.end.size();
    std::string out;
    out.reserve(size);
    out += bom_;
    for (const Line& line : lines_) {
        out += line.text;
        out += line.end;
    }
    return out;
}

void IniDocument::Reindex() {
    sections_.clear();
    SectionIndex* current = nullptr;
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        const Line& line = lines_[i];
        if (line.kind == Kind::Section) {
            // A later section of the same name is never read: the first holds.
            auto [it, added] = sections_.try_emplace(SjisToLower(line.name));
            current = added ? &it->second : nullptr;
            if (current) current->header = i;
        } else if (line.kind == Kind::Key && current) {
            current->keys.try_emplace(SjisToLower(line.name), i);  // the first key wins
        }
    }
}

std::vector<std::string> IniDocument::SectionNames() const {
    std::vector<std::string> names;
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        if (lines_[i].kind != Kind::Section) continue;
        auto it = sections_.find(SjisToLower(lines_[i].name));
        if (it != sections_.end() && it->second.header == i) names.push_back(lines_[i].name);
    }
    return names;
}

std::size_t IniDocument::FirstHeader(std::string_view section) const {
    auto it = sections_.find(SjisToLower(Trim(section)));
    return it == sections_.end() ? npos : it->second.header;
}

std::size_t IniDocument::SectionEnd(std::size_t header) const {
    std::size_t i = header + 1;
    while (i < lines_.size() && lines_[i].kind != Kind::Section) ++i;
    return i;
}

void IniDocument::EndLine(std::size_t index) {
    std::string& end = lines_[index].end;
    if (end.empty() || end.back() != '\n') end = kCrLf;
}

const std::string* IniDocument::Find(std::string_view section, std::string_view key) const {
    auto it = sections_.find(SjisToLower(Trim(section)));
    if (it == sections_.end()) return nullptr;
    auto k = it->second.keys.find(SjisToLower(Trim(key)));
    return k == it->second.keys.end() ? nullptr : &lines_[k->second].value;
}

bool IniDocument::Set(std::string_view section, std::string_view key, std::string_view value) {
    section = Trim(section);
    key = Trim(key);
    std::size_t header = FirstHeader(section);
    if (header == npos) {
        if (!lines_.empty()) EndLine(lines_.size() - 1);
        lines_.push_back(MakeLine("[" + std::string(section) + "]", std::string(kCrLf)));
        lines_.push_back(MakeLine(std::string(key) + "=" + std::string(value), std::string(kCrLf)));
        Reindex();
        return true;
    }
    const SectionIndex& index = sections_.at(SjisToLower(section));
    if (auto k = index.keys.find(SjisToLower(key)); k != index.keys.end()) {
        Line& line = lines_[k->second];
        std::string text = line.name + "=" + std::string(value);
        if (line.text == text && line.end == kCrLf) return false;
        line = MakeLine(std::move(text), std::string(kCrLf));  // same name: index holds
        return true;
    }
    // After the last line with content, so blank lines and comments that lead
    // into the next section stay in front of it.
    std::size_t after = header;
    std::size_t end = SectionEnd(header);
    for (std::size_t i = header + 1; i < end; ++i)
        if (lines_[i].kind == Kind::Key || lines_[i].kind == Kind::Other) after = i;
    EndLine(after);
    lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(after + 1),
                  MakeLine(std::string(key) + "=" + std::string(value), std::string(kCrLf)));
    Reindex();
    return true;
}

bool IniDocument::DeleteKey(std::string_view section, std::string_view key) {
    std::size_t header = FirstHeader(section);
    if (header == npos) return false;
    // Every line of the key in the section that holds it goes, so that no
    // duplicate comes to light as its value afterwards.
    std::string folded = SjisToLower(Trim(key));
    std::size_t end = SectionEnd(header);
    std::vector<Line> kept;
    kept.reserve(lines_.size());
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        bool drop =
            i > header && i < end && lines_[i].kind == Kind::Key && SjisToLower(lines_[i].name) == folded;
        if (!drop) kept.push_back(std::move(lines_[i]));
    }
    bool changed = kept.size() != lines_.size();
    lines_ = std::move(kept);
    Reindex();
    return changed;
}

bool IniDocument::DeleteSection(std::string_view section) {
    // Every section of the name goes; otherwise a later one would take its place.
    std::string folded = SjisToLower(Trim(section));
    std::vector<Line> kept;
    kept.reserve(lines_.size());
    bool dropping = false;
    for (Line& line : lines_) {
        if (line.kind == Kind::Section) dropping = SjisToLower(line.name) == folded;
        if (!dropping) kept.push_back(std::move(line));
    }
    bool changed = kept.size() != lines_.size();
    lines_ = std::move(kept);
    Reindex();
    return changed;
}

bool IniDocument::IsWritableSection(std::string_view section) {
    section = Trim(section);
    if (HasLineBreak(section)) return false;
    // A trailing lead byte would pair with the closing "]" and hide it.
    std::string header = std::string(section) + "]";
    return SjisByteClassAt(header, section.size()) != SjisByteClass::Trail;
}

bool IniDocument::IsWritableKey(std::string_view key) {
    key = Trim(key);
    if (HasLineBreak(key) || key.find('=') != npos) return false;
    return key.empty() || (key.front() != ';' && key.front() != '[');
}

bool IniDocument::IsWritableValue(std::string_view value) { return !HasLineBreak(value); }

}  // namespace fern
