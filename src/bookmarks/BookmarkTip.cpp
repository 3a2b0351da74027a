#include "bookmarks/BookmarkTip.h"

#include <vector>

#include "bookmarks/BookmarkOptions.h"
#include "bookmarks/DatePicture.h"
#include "platform/text/TextCut.h"

namespace fern {

namespace {

constexpr std::size_t kTipUrlBytes = 120;

struct FlagLabel {
    const char* label;
    std::uint32_t bit;
    bool setMeansOn;  // images, videos and sounds; the others are "no ..." bits
};

constexpr FlagLabel kFlagLabels[] = {
    {"Img ", 0x10, true},   {"Vid ", 0x20, true},   {"Snd ", 0x40, true},   {"Scr ", 0x80, false},
    {"Jav ", 0x100, false}, {"Rax ", 0x200, false}, {"Dax ", 0x400, false},
};

}  // namespace

std::string DownloadControlTipLine(std::uint32_t style) {
    std::string line;
    for (const FlagLabel& flag : kFlagLabels) {
        bool on = ((style & flag.bit) != 0) == flag.setMeansOn;
        line += flag.label;
        line += on ? "O " : "X ";
    }
    return line;
}

std::string MemoTipText(std::string_view memo) {
    // 0x02 is below every trail byte, so a plain scan cannot split a character.
    std::string out;
    for (std::size_t i = 0; i < memo.size(); ++i) {
        if (memo[i] == '\x02' && i + 1 < memo.size() && memo[i + 1] == '\x02') {
            out += "\n\t";
            ++i;
        } else {
            out += memo[i];
        }
    }
    if (out.size() >= 2 && out.compare(out.size() - 2, 2, "\n\t") == 0) out.resize(out.size() - 2);
    return out;
}

std::string TipText(const BookmarkNode& node, int infotipStyle, std::string_view dateFormat) {
    std::vector<std::string> lines;
    if (node.type == kItemSeparator) return std::string();
    if (node.type == kItemUrl) {
        if (infotipStyle & kTipName) lines.push_back(node.name);
        if ((infotipStyle & kTipUrl) && !node.url.empty() && node.url != node.name)
            lines.push_back(CompactPath(node.url, kTipUrlBytes));
        if (node.exstyle == 2) lines.push_back("初期値で開きます");
        else if (node.exstyle == 0) lines.push_back(DownloadControlTipLine(node.style));
    }
    if ((infotipStyle & kTipMemo) && !node.desc.empty()) lines.push_back("Memo : " + MemoTipText(node.desc));
    if ((infotipStyle & kTipCreated) && node.created != 0)
        lines.push_back("作成日時 " + FormatLocalTime(node.created, dateFormat));
    std::string text;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (i) text += '\n';
        text += lines[i];
    }
    return text;
}

}  // namespace fern
