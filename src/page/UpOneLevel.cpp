#include "page/UpOneLevel.h"

#include "platform/text/SjisByteClass.h"

namespace fern {

namespace {

bool Contains(std::string_view text, std::string_view part) {
    for (std::size_t at = text.find(part); at != std::string_view::npos; at = text.find(part, at + 1))
        if (SjisByteClassAt(text, at) != SjisByteClass::Trail) return true;
    return false;
}

}  // namespace

std::optional<std::string> UpOneLevelUrl(std::string_view url) {
    std::string text(url);
    if (Contains(text, "p://")) {
        if (!text.empty() && text.back() == '/') text.pop_back();
        if (text.size() <= 9) return std::nullopt;
        std::size_t slash = text.rfind('/');  // "/" is never a trail byte
        if (slash == std::string::npos) return std::nullopt;
        text.erase(slash);
        if (!Contains(text, "p://")) return std::nullopt;
        return text;
    }
    std::size_t file = text.find("file:///");
    if (file != std::string::npos) {
        text.erase(file, 8);
        bool driveRoot = text.size() >= 2 && text.compare(text.size() - 2, 2, ":/") == 0;
        if (!driveRoot && !text.empty() && text.back() == '/') text.pop_back();
        if (text.empty()) return std::nullopt;
        std::size_t slash = text.rfind('/');
        if (slash != std::string::npos) text.erase(slash);
        if (Contains(text, ":")) return text;  // a drive path such as "C:/dir"
        // Linux paths have no drive: stay a file address, up to the root.
        if (slash == std::string::npos) return std::string("file:///");
        return "file:///" + text;
    }
    return std::nullopt;
}

}  // namespace fern
