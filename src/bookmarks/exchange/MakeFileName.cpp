#include "bookmarks/exchange/MakeFileName.h"

#include "platform/text/SjisByteClass.h"

namespace fern {

namespace {

const char* FullWidth(char c) {
    switch (c) {
        case '\\': return "￥";
        case '/': return "／";
        case ':': return "：";
        case ',': return "，";
        case ';': return "；";
        case '*': return "＊";
        case '?': return "？";
        case '"': return "”";
        case '<': return "＜";
        case '>': return "＞";
        case '|': return "｜";
        case '.': return "．";
        default: return nullptr;
    }
}

}  // namespace

std::string MakeFileName(std::string_view text, std::size_t maxBytes) {
    std::string out;
    out.reserve(text.size() * 2);
    for (std::size_t i = 0; i < text.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        // A double-byte character is copied whole: its second byte may be "\" or "|".
        if (IsSjisLeadByte(c) && i + 1 < text.size() &&
            IsSjisTrailByte(static_cast<unsigned char>(text[i + 1]))) {
            out.append(text.substr(i, 2));
            ++i;
        } else if (const char* wide = FullWidth(text[i])) {
            out += wide;
        } else {
            out += text[i];
        }
    }
    if (out.size() > maxBytes) out.resize(SjisSafeCut(out, maxBytes));
    if (out.empty()) out = "newfile";
    return out;
}

}  // namespace fern
