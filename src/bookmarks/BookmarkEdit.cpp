#include "bookmarks/BookmarkEdit.h"

#include "bookmarks/DatePicture.h"
#include "platform/text/SjisByteClass.h"

namespace fern {

namespace {

// Bits of a node's style: those that are set while the feature runs, and
// those that are set while it does not.
constexpr std::uint32_t kImages = 0x10, kVideos = 0x20, kSounds = 0x40;
constexpr std::uint32_t kNoScripts = 0x80, kNoJava = 0x100, kNoActiveXRun = 0x200, kNoActiveXDownload = 0x400;

std::uint32_t Bit(std::uint32_t style, std::uint32_t bit, bool on) {
    return on ? (style | bit) : (style & ~bit);
}

}  // namespace

std::string CleanFieldText(std::string_view text, std::size_t limit) {
    // CR, LF and TAB are below 0x40: never the second byte of a character.
    std::string out;
    out.reserve(text.size());
    for (char c : text)
        if (c != '\r' && c != '\n' && c != '\t') out += c;
    if (out.size() > limit) out.resize(SjisSafeCut(out, limit));
    return out;
}

std::string MemoForEditing(std::string_view stored) {
    std::string out;
    for (std::size_t i = 0; i < stored.size(); ++i) {
        if (stored[i] == '\x02' && i + 1 < stored.size() && stored[i + 1] == '\x02') {
            out += "\r\n";
            ++i;
        } else {
            out += stored[i];
        }
    }
    return out;
}

std::string MemoForStoring(std::string_view shown) {
    // Whole units only: a character, or a line end as its 0x02 0x02.
    std::string out;
    for (std::size_t i = 0; i < shown.size();) {
        unsigned char c = static_cast<unsigned char>(shown[i]);
        std::string_view unit;
        std::size_t step = 1;
        if (c == '\r' || c == '\n') {
            unit = "\x02\x02";
            if (c == '\r' && i + 1 < shown.size() && shown[i + 1] == '\n') step = 2;
        } else if (IsSjisLeadByte(c) && i + 1 < shown.size() &&
                   IsSjisTrailByte(static_cast<unsigned char>(shown[i + 1]))) {
            unit = shown.substr(i, 2);
            step = 2;
        } else {
            unit = shown.substr(i, 1);
        }
        if (out.size() + unit.size() > kEditMemoLimit) break;
        out += unit;
        i += step;
    }
    return out;
}

BookmarkEditFields EditFieldsOf(const BookmarkNode& node, std::string_view datePicture) {
    BookmarkEditFields f;
    f.folder = node.IsFolder();
    f.name = node.name;
    f.url = f.folder ? std::string() : node.url;
    f.memo = MemoForEditing(node.desc);
    f.created = node.created ? FormatLocalTime(node.created, datePicture) : std::string();
    std::uint32_t s = node.style;
    f.images = s & kImages;
    f.videos = s & kVideos;
    f.sounds = s & kSounds;
    f.scripts = !(s & kNoScripts);
    f.java = !(s & kNoJava);
    f.activexRun = !(s & kNoActiveXRun);
    f.activexDownload = !(s & kNoActiveXDownload);
    f.securityMode = node.exstyle <= 2 ? static_cast<int>(node.exstyle) : 1;
    return f;
}

void ApplyEditFields(const BookmarkEditFields& f, BookmarkNode& node) {
    node.name = CleanFieldText(f.name);
    node.desc = MemoForStoring(f.memo);
    if (node.IsFolder()) return;
    node.url = CleanFieldText(f.url);
    std::uint32_t s = node.style;
    s = Bit(s, kImages, f.images);
    s = Bit(s, kVideos, f.videos);
    s = Bit(s, kSounds, f.sounds);
    s = Bit(s, kNoScripts, !f.scripts);
    s = Bit(s, kNoJava, !f.java);
    s = Bit(s, kNoActiveXRun, !f.activexRun);
    s = Bit(s, kNoActiveXDownload, !f.activexDownload);
    node.style = s;
    node.exstyle = static_cast<std::uint32_t>(f.securityMode);
}

}  // namespace fern
