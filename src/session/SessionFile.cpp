#include "session/SessionFile.h"

#include <glib.h>

#include <cstdio>
#include <cstdlib>

namespace fern {

namespace {

constexpr std::string_view kHeader = "FERNSESSION 1";
constexpr std::string_view kEndKey = "END=";

// Line breaks, tabs and other control bytes would end a field early, and "%"
// starts an escape. None of them is ever a Shift-JIS trail byte, so a
// double-byte character is never split.
bool NeedsEscape(unsigned char c) { return c < 0x20 || c == 0x7F || c == '%'; }

void AppendEscaped(std::string& out, std::string_view value) {
    static const char kHex[] = "0123456789ABCDEF";
    for (char ch : value) {
        auto c = static_cast<unsigned char>(ch);
        if (NeedsEscape(c)) {
            out += '%';
            out += kHex[c >> 4];
            out += kHex[c & 0xF];
        } else {
            out += ch;
        }
    }
}

// A "%" without two hex digits after it stays as it is.
std::string Unescape(std::string_view value) {
    std::string out;
    out.reserve(value.size());
    for (std::size_t i = 0; i < value.size(); ++i) {
        if (value[i] == '%' && i + 2 < value.size()) {
            int high = g_ascii_xdigit_value(value[i + 1]), low = g_ascii_xdigit_value(value[i + 2]);
            if (high >= 0 && low >= 0) {
                out += static_cast<char>(high * 16 + low);
                i += 2;
                continue;
            }
        }
        out += value[i];
    }
    return out;
}

// Numbers are read as atol reads them: leading digits, 0 when none.
long long Number(std::string_view value) {
    std::string text(value.substr(0, 32));
    return std::strtoll(text.c_str(), nullptr, 10);
}

std::string Sha256(std::string_view bytes) {
    gchar* sum = g_compute_checksum_for_data(G_CHECKSUM_SHA256, reinterpret_cast<const guchar*>(bytes.data()),
                                             bytes.size());
    std::string hex = sum ? sum : "";
    g_free(sum);
    return hex;
}

void AppendField(std::string& out, std::string_view key, std::string_view value) {
    out += key;
    AppendEscaped(out, value);
    out += '\n';
}

void AppendHistory(std::string& out, std::string_view key, const std::vector<SessionHistoryEntry>& entries) {
    std::size_t count = std::min(entries.size(), kSessionHistoryLimit);
    for (std::size_t i = 0; i < count; ++i) {
        out += key;
        AppendEscaped(out, entries[i].url);
        out += '\t';
        AppendEscaped(out, entries[i].title);
        out += '\n';
    }
}

void AppendTab(std::string& out, std::string_view record, const SessionTab& tab) {
    out += record;
    out += '\n';
    AppendField(out, "URL=", tab.url);
    AppendField(out, "TITLE=", tab.title);
    char number[32];
    std::snprintf(number, sizeof number, "DLC=%lu\n", static_cast<unsigned long>(tab.dlc));
    out += number;
    if (tab.locked) out += "LOCK=1\n";
    if (tab.loading) out += "LOADING=1\n";
    AppendHistory(out, "BACK=", tab.back);
    AppendHistory(out, "FORWARD=", tab.forward);
}

SessionHistoryEntry HistoryEntry(std::string_view value) {
    std::size_t tab = value.find('\t');
    if (tab == std::string_view::npos) return {Unescape(value), std::string()};
    return {Unescape(value.substr(0, tab)), Unescape(value.substr(tab + 1))};
}

}  // namespace

std::string SerializeSession(const SessionState& state) {
    std::string out;
    out += kHeader;
    out += '\n';
    out += state.closed ? "CLOSED=1\n" : "CLOSED=0\n";
    int selected = state.selected >= 0 && static_cast<std::size_t>(state.selected) < state.tabs.size()
                       ? state.selected
                       : -1;
    char number[48];
    std::snprintf(number, sizeof number, "SELECTED=%d\n", selected);
    out += number;
    for (const SessionTab& tab : state.tabs) AppendTab(out, "#TAB", tab);
    for (const SessionTab& tab : state.pending) AppendTab(out, "#PENDING", tab);
    std::string sum = Sha256(out);
    std::snprintf(number, sizeof number, "%zu ", state.tabs.size() + state.pending.size());
    out += kEndKey;
    out += number;
    out += sum;
    out += '\n';
    return out;
}

SessionReadResult ParseSession(std::string_view bytes) {
    SessionReadResult result;
    SessionState& state = result.state;
    SessionTab* tab = nullptr;
    bool header = false;
    long long selected = -1;
    std::size_t records = 0;
    std::size_t pos = 0;
    bool endSeen = false, endRight = false;
    while (pos < bytes.size()) {
        std::size_t end = bytes.find('\n', pos);
        std::size_t next = end == std::string_view::npos ? bytes.size() : end + 1;
        std::string_view line = bytes.substr(pos, (end == std::string_view::npos ? bytes.size() : end) - pos);
        std::size_t lineStart = pos;
        pos = next;
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        // Whatever follows the end line makes the file not whole.
        endRight = false;
        if (lineStart == 0 && line == kHeader) {
            header = true;
            continue;
        }
        if (line == "#TAB" || line == "#PENDING") {
            auto& list = line == "#TAB" ? state.tabs : state.pending;
            list.emplace_back();
            tab = &list.back();
            ++records;
            continue;
        }
        std::size_t eq = line.find('=');
        if (eq == std::string_view::npos) continue;
        std::string_view key = line.substr(0, eq + 1), value = line.substr(eq + 1);
        if (key == kEndKey) {
            endSeen = true;
            std::size_t blank = value.find(' ');
            endRight = header && blank != std::string_view::npos && end != std::string_view::npos &&
                       Number(value.substr(0, blank)) == static_cast<long long>(records) &&
                       value.substr(blank + 1) == Sha256(bytes.substr(0, lineStart));
            tab = nullptr;
            continue;
        }
        if (key == "CLOSED=") state.closed = Number(value) == 1;
        else if (key == "SELECTED=") selected = Number(value);
        else if (!tab) continue;
        else if (key == "URL=") tab->url = Unescape(value);
        else if (key == "TITLE=") tab->title = Unescape(value);
        else if (key == "DLC=") tab->dlc = static_cast<std::uint32_t>(Number(value));
        else if (key == "LOCK=") tab->locked = Number(value) == 1;
        else if (key == "LOADING=") tab->loading = Number(value) == 1;
        else if (key == "BACK=" && tab->back.size() < kSessionHistoryLimit)
            tab->back.push_back(HistoryEntry(value));
        else if (key == "FORWARD=" && tab->forward.size() < kSessionHistoryLimit)
            tab->forward.push_back(HistoryEntry(value));
    }
    state.selected = selected >= 0 && static_cast<std::size_t>(selected) < state.tabs.size()
                         ? static_cast<int>(selected)
                         : -1;
    result.whole = endSeen && endRight;
    return result;
}

}  // namespace fern
