#pragma once
// The outcome of an import or export: whether the file or folder could be
// read or written, why not, and how many entries an export had to skip.
#include <cstddef>
#include <string>

namespace fern {

struct ExchangeStatus {
    bool ok = true;
    std::string error;         // why not, when !ok
    std::size_t imported = 0;  // nodes an import added, all levels
    std::size_t skipped = 0;   // entries a Favorites export could not write
    explicit operator bool() const { return ok; }

    static ExchangeStatus Failed(std::string why) {
        ExchangeStatus status;
        status.ok = false;
        status.error = std::move(why);
        return status;
    }
};

}  // namespace fern
