#pragma once
// The desktop clipboard's plain text, in Shift-JIS.
#include <optional>
#include <string>

namespace fern {

class IClipboard {
public:
    virtual ~IClipboard() = default;
    // nullopt when the clipboard holds no text.
    virtual std::optional<std::string> GetText() = 0;
    virtual void SetText(const std::string& text) = 0;
};

}  // namespace fern
