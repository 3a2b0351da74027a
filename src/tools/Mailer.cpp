#include "tools/Mailer.h"

#include "platform/text/SjisByteClass.h"

namespace fern {

namespace {

// Blanks and double quotes are below 0x40, never the trail byte of a
// double-byte character, so they split the text safely byte by byte.
bool Blank(char c) { return c == ' ' || c == '\t'; }

std::string Trimmed(const std::string& text) {
    std::size_t first = 0, last = text.size();
    while (first < last && Blank(text[first])) ++first;
    while (last > first && Blank(text[last - 1])) --last;
    return text.substr(first, last - first);
}

std::string Unquoted(const std::string& text) {
    if (text.size() >= 2 && text.front() == '"' && text.back() == '"') return text.substr(1, text.size() - 2);
    return text;
}

// Words at blanks outside double quotes; the quotes go.
std::vector<std::string> Words(const std::string& text) {
    std::vector<std::string> words;
    std::string word;
    bool quoted = false, inWord = false;
    for (char c : text) {
        if (c == '"') {
            quoted = !quoted;
            inWord = true;
        } else if (Blank(c) && !quoted) {
            if (inWord) words.push_back(word);
            word.clear();
            inWord = false;
        } else {
            word += c;
            inWord = true;
        }
    }
    if (inWord) words.push_back(word);
    return words;
}

// "%m" and "%M" in one pass, so an address holding "%M" is left as it is.
std::string Replaced(const std::string& word, const std::string& address, const std::string& bare) {
    std::string out;
    for (std::size_t i = 0; i < word.size(); ++i) {
        if (word[i] == '%' && i + 1 < word.size() && (word[i + 1] == 'm' || word[i + 1] == 'M')) {
            out += word[i + 1] == 'm' ? address : bare;
            ++i;
        } else {
            out += word[i];
        }
    }
    return out;
}

}  // namespace

MailerLaunch MailerLaunchOf(const std::string& address, const MailSettings& mail) {
    MailerLaunch launch;
    launch.address = address;
    std::string path = Trimmed(mail.mailerPath);
    if (!mail.useMailerPath || path.size() < 2) return launch;
    launch.kind = MailerLaunch::Kind::Program;
    // A program in quotes ends at its closing quote; otherwise the program
    // ends at the first blank followed by a double quote.
    std::size_t split = std::string::npos;
    if (path[0] == '"') {
        std::size_t close = SjisFind(path, '"', 1);
        if (close != std::string::npos) split = close + 1;
    } else {
        for (std::size_t quote = SjisFind(path, '"'); quote != std::string::npos;
             quote = SjisFind(path, '"', quote + 1))
            if (quote > 0 && Blank(path[quote - 1])) {
                split = quote - 1;
                break;
            }
    }
    std::string program = Trimmed(split == std::string::npos ? path : path.substr(0, split));
    std::string parameters = split == std::string::npos ? std::string() : Trimmed(path.substr(split));
    if (Unquoted(program).empty()) {
        launch.kind = MailerLaunch::Kind::DesktopHandler;
        return launch;
    }
    launch.argv.push_back(Unquoted(program));
    if (parameters.empty()) {
        launch.argv.push_back(address);
        return launch;
    }
    std::size_t colon = SjisFind(address, ':');
    std::string bare = colon == std::string::npos ? std::string() : address.substr(colon + 1);
    for (const std::string& word : Words(parameters)) launch.argv.push_back(Replaced(word, address, bare));
    return launch;
}

}  // namespace fern
