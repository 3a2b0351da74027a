#include "options/OptionsText.h"

#include <cstdio>

#include "content/UserAgent.h"

namespace fern {

namespace {

bool IsControl(unsigned char c) { return c < 0x20 || c == 0x7F; }

}  // namespace

std::string WithoutControls(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (char c : text)
        if (!IsControl(static_cast<unsigned char>(c))) out.push_back(c);
    return out;
}

ListInput ParseListInput(std::string_view text) {
    ListInput input;
    std::size_t start = 0;
    while (start <= text.size()) {
        std::size_t end = text.find_first_of("\r\n", start);
        if (end == std::string_view::npos) end = text.size();
        else input.split = true;
        std::string_view line = text.substr(start, end - start);
        std::string entry = WithoutControls(line);
        if (entry.size() != line.size()) input.cleaned = true;
        if (entry.size() > kMaxListEntryBytes) ++input.refused;
        else if (!entry.empty()) input.entries.push_back(std::move(entry));
        start = end + 1;
    }
    // A single entry that merely ended with a line break is no split.
    if (input.entries.size() <= 1 && input.refused == 0) input.split = false;
    return input;
}

std::string ListInputMessage(const ListInput& input) {
    std::string message;
    if (input.split)
        message +=
            "改行で区切られた " + std::to_string(input.entries.size()) + " 個の項目として登録しました。\n";
    if (input.cleaned) message += "制御文字 (タブなど) を取り除きました。\n";
    if (input.refused > 0) {
        char text[128];
        std::snprintf(text, sizeof text, "%zu バイトを超える項目 %d 個は登録しませんでした。\n",
                      kMaxListEntryBytes, input.refused);
        message += text;
    }
    return message;
}

std::string CleanUserAgent(std::string_view text) { return UserAgentText(WithoutControls(text)); }

}  // namespace fern
