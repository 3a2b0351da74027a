#pragma once
// A group of menu commands served outside the frame (filters, download
// control, privacy ...). The window asks each part in turn.
#include <optional>

namespace fern {

class ICommandPart {
public:
    virtual ~ICommandPart() = default;
    // True when the id is this part's and was run.
    virtual bool Command(int id) = 0;
    // Nothing for ids that are not this part's.
    virtual std::optional<bool> IsChecked(int id) const = 0;
    virtual std::optional<bool> IsEnabled(int id) const = 0;
};

}  // namespace fern
