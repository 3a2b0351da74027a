#include "filters/MessageBoxFilter.h"

#include <algorithm>

#include "filters/PageDialogCaption.h"
#include "platform/text/SjisByteClass.h"

namespace fern {

// '"' and ',' lie below the trail-byte range, so a plain byte scan cannot
// split a double-byte character here.
std::vector<std::string> SplitKillTexts(std::string_view text) {
    std::vector<std::string> fields;
    std::size_t i = 0;
    while (true) {
        std::string field;
        if (i < text.size() && text[i] == '"') {
            std::size_t close = text.find('"', i + 1);
            if (close == std::string_view::npos) {
                fields.emplace_back(text.substr(i + 1));
                return fields;
            }
            field.assign(text.substr(i + 1, close - i - 1));
            i = close + 1;
        }
        // Whatever follows up to the comma belongs to the field.
        std::size_t comma = text.find(',', i);
        std::size_t end = comma == std::string_view::npos ? text.size() : comma;
        field.append(text.substr(i, end - i));
        fields.push_back(std::move(field));
        if (comma == std::string_view::npos) return fields;
        i = comma + 1;
    }
}

bool MessageBoxHandled(const std::vector<KillMsgDlgItem>& items, std::string_view caption,
                       std::string_view message) {
    for (const KillMsgDlgItem& item : items) {
        if (item.style == 0) continue;
        if (!CaptionContains(caption, item.caption, true)) continue;
        if (!message.empty()) {
            std::vector<std::string> texts = SplitKillTexts(item.text);
            if (!std::all_of(texts.begin(), texts.end(),
                             [&](const std::string& t) { return SjisContains(message, t); }))
                continue;
        }
        return true;
    }
    return false;
}

}  // namespace fern
