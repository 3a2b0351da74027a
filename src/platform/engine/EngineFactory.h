#pragma once
// Makes the browser control of a new tab. A control for a page's new window
// must be made related to the opener's control (it shares its process and
// settings; the engine refuses an unrelated one).
#include <memory>
#include <string>

#include "platform/engine/BrowserEngine.h"

namespace fern {

class IEngineFactory {
public:
    virtual ~IEngineFactory() = default;
    // nullptr when no control can be made.
    virtual std::unique_ptr<IBrowserEngine> Create(IBrowserEngine* relatedTo) = 0;
    // The control of a tab about to show `url` (Shift-JIS): an engine may
    // let it share a process with the tabs of the same site.
    virtual std::unique_ptr<IBrowserEngine> CreateForSite(const std::string& url) {
        (void)url;
        return Create(nullptr);
    }
};

}  // namespace fern
