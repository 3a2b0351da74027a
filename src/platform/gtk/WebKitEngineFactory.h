#pragma once
// Makes each tab's WebKit control on the shared context; the control of a
// page's new window is related to its opener's, as WebKit requires.
#include <memory>
#include <string>

#include "platform/engine/EngineFactory.h"

namespace fern {

class WebKitContext;

class WebKitEngineFactory : public IEngineFactory {
public:
    // `homeUrl` (Shift-JIS) is where GoHome goes; empty means about:blank.
    WebKitEngineFactory(WebKitContext& context, std::string homeUrl)
        : m_context(context), m_homeUrl(std::move(homeUrl)) {}

    void SetHomeUrl(std::string url) { m_homeUrl = std::move(url); }

    // nullptr when `relatedTo` is not one of our controls: a view unrelated
    // to its opener would bring the whole program down.
    std::unique_ptr<IBrowserEngine> Create(IBrowserEngine* relatedTo) override;

private:
    WebKitContext& m_context;
    std::string m_homeUrl;
};

}  // namespace fern
