#pragma once
// The cookie policy and cookie deletion on the shared web context. Lasting
// cookies go to "cookies.sqlite" in the profile; while only per-session
// cookies are allowed the cookie jar is "session-cookies.sqlite" instead,
// which is emptied at every start, so nothing accepted then outlives the
// session and the lasting jar stays as it was.
#include <functional>
#include <string>

#include "platform/gtk/WebKitContext.h"
#include "privacy/CookiePolicy.h"

namespace fern {

class WebKitCookieEngine : public ICookieEngine {
public:
    explicit WebKitCookieEngine(WebKitContext& context);

    void ApplyCookiePolicy(const CookieEnginePolicy& policy) override;
    void ClearAllCookies(std::function<void(bool)> done) override;
    // The disk and memory caches.
    void ClearCache(std::function<void(bool)> done);

    const CookieEnginePolicy& Applied() const { return m_applied; }

private:
    WebKitContext& m_context;
    std::string m_lastingJar, m_sessionJar;  // UTF-8
    CookieEnginePolicy m_applied;
    int m_jar = -1;  // 0 lasting, 1 session

    void Clear(WebKitWebsiteDataTypes types, std::function<void(bool)> done);
};

}  // namespace fern
