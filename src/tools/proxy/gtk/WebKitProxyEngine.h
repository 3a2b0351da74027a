#pragma once
// The proxy of the one website data manager every view is built on, so a
// change reaches every tab and pop-up at once, from their next request.
#include "platform/gtk/WebKitContext.h"
#include "tools/proxy/EngineProxy.h"

namespace fern {

class WebKitProxyEngine : public IProxyEngine {
public:
    explicit WebKitProxyEngine(WebKitContext& context) : m_context(context) {}
    bool ApplyProxy(const EngineProxy& proxy) override;

private:
    WebKitContext& m_context;
};

}  // namespace fern
