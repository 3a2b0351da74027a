#include "frame/TabDrop.h"

#include <glib.h>

#include "platform/fs/FsPath.h"
#include "platform/text/Encoding.h"
#include "platform/text/SjisByteClass.h"
#include "platform/text/UrlText.h"

namespace fern {

namespace {

constexpr std::string_view kViewSource = "view-source:";
// Room for the name in 255 bytes of UTF-8 once every double-byte character
// has grown to three bytes, with ".url" after it.
constexpr std::size_t kMaxShortcutNameBytes = 160;

bool IsBlank(unsigned char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
}

class ActionList {
public:
    ActionList(bool alt, std::uint32_t dlcDefault) : m_alt(alt), m_dlcDefault(dlcDefault) {}

    void NewTab(const std::string& url, std::uint32_t dlc, int mode) {
        if (url.empty()) return;
        TabDropAction a;
        a.kind = TabDropAction::Kind::OpenNewTab;
        a.url = Address(url);
        a.dlc = dlc;
        a.securityMode = mode;
        m_actions.push_back(std::move(a));
    }
    void NewTab(const std::string& url) { NewTab(url, m_dlcDefault, 0); }

    void Navigate(int tab, const std::string& url, bool setFlags, std::uint32_t dlc) {
        if (url.empty()) return;
        TabDropAction a;
        a.kind = TabDropAction::Kind::NavigateTab;
        a.url = Address(url);
        a.tab = tab;
        a.setFlags = setFlags;
        a.dlc = setFlags ? dlc : 0;
        a.openFlags = 0;
        m_actions.push_back(std::move(a));
    }

    std::vector<TabDropAction> Take() { return std::move(m_actions); }

private:
    bool m_alt;
    std::uint32_t m_dlcDefault;
    std::vector<TabDropAction> m_actions;

    std::string Address(const std::string& url) const { return m_alt ? std::string(kViewSource) + url : url; }
};

}  // namespace

std::string TrimDropText(std::string_view text) {
    // Blanks are below 0x40, so they are never the second byte of a character.
    std::size_t begin = 0, end = text.size();
    while (begin < end && IsBlank(static_cast<unsigned char>(text[begin]))) ++begin;
    while (end > begin && IsBlank(static_cast<unsigned char>(text[end - 1]))) --end;
    return std::string(text.substr(begin, end - begin));
}

std::vector<TabDropAction> TabDropActions(const TabDropData& data, int hit, bool shift, bool alt,
                                          std::uint32_t dlcDefault, const ConvertToUrl& convert) {
    auto conv = [&convert](const std::string& s) { return convert ? convert(s) : s; };
    bool newTab = hit < 0 || shift;
    ActionList out(alt, dlcDefault);
    switch (data.kind) {
        case TabDropData::Kind::Bookmarks: {
            // Several bookmarks on one tab would each replace the page of the
            // one before, leaving only the last: they go to new tabs, as files do.
            bool each = newTab || data.bookmarks.size() >= 2;
            for (const DroppedBookmark& b : data.bookmarks) {
                if (each) out.NewTab(b.url, b.style, static_cast<int>(b.exstyle));
                else out.Navigate(hit, b.url, true, b.style);
            }
            break;
        }
        case TabDropData::Kind::Text: {
            std::string text = TrimDropText(data.text);
            if (text.empty()) break;
            std::string url = conv(text);
            if (newTab) out.NewTab(url);
            else out.Navigate(hit, url, false, 0);
            break;
        }
        case TabDropData::Kind::Files: {
            bool each = newTab || data.files.size() >= 2;
            for (const std::string& file : data.files) {
                std::string url = conv(file);
                if (each) out.NewTab(url);
                else out.Navigate(hit, url, false, 0);
            }
            break;
        }
    }
    return out.Take();
}

TabDropData TabDropDataFromUriList(std::string_view uriList) {
    TabDropData data;
    data.kind = TabDropData::Kind::Text;
    bool files = false, first = true;
    std::size_t pos = 0;
    while (pos < uriList.size()) {
        std::size_t nl = uriList.find('\n', pos);
        if (nl == std::string_view::npos) nl = uriList.size();
        std::string line = TrimDropText(uriList.substr(pos, nl - pos));
        pos = nl + 1;
        if (line.empty() || line[0] == '#') continue;
        gchar* name = g_filename_from_uri(line.c_str(), nullptr, nullptr);
        if (first) {
            first = false;
            files = name != nullptr;
            if (!files) {
                data.text = UrlFromUtf8(line);
                return data;
            }
            data.kind = TabDropData::Kind::Files;
        }
        if (name) {
            // As a "file:" URI: a file name is not text, and the URI names
            // the file whatever characters its name holds.
            data.files.push_back(FileUriOfPath(name));
            g_free(name);
        }
    }
    return data;
}

std::string TabDragUrl(std::string_view url) {
    std::string trimmed = TrimDropText(url);
    std::string out;
    out.reserve(trimmed.size());
    // "%" is never the second byte of a character.
    for (std::size_t i = 0; i < trimmed.size(); ++i) {
        if (trimmed.compare(i, 3, "%20") == 0) {
            out += ' ';
            i += 2;
        } else {
            out += trimmed[i];
        }
    }
    return out;
}

std::string InternetShortcutFileName(std::string_view title, std::string_view url) {
    std::string source = TrimDropText(title);
    if (source.empty()) source = TrimDropText(url);
    std::string name;
    for (std::size_t i = 0; i < source.size(); ++i) {
        unsigned char c = static_cast<unsigned char>(source[i]);
        if (IsSjisLeadByte(c) && i + 1 < source.size() &&
            IsSjisTrailByte(static_cast<unsigned char>(source[i + 1]))) {
            name += source[i];
            name += source[++i];
            continue;
        }
        bool bad = c < 0x20 || c == 0x7F;
        for (char x : std::string_view("\\/:*?\"<>|"))
            if (c == static_cast<unsigned char>(x)) bad = true;
        name += bad ? '_' : source[i];
    }
    name.resize(SjisSafeCut(name, kMaxShortcutNameBytes));
    // "." and ".." are not names, and a leading dot would hide the file.
    if (name.empty() || name[0] == '.') name.insert(0, "_");
    return name + ".url";
}

std::string InternetShortcutContent(std::string_view url) {
    return "[InternetShortcut]\r\nURL=" + std::string(url) + "\r\n";
}

}  // namespace fern
