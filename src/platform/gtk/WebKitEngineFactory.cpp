#include "platform/gtk/WebKitEngineFactory.h"

#include <cstdio>
#include <new>

#include "platform/engine/LazyEngine.h"
#include "platform/gtk/SiteKey.h"
#include "platform/gtk/WebKitEngine.h"
#include "platform/text/Encoding.h"

namespace fern {

std::unique_ptr<IBrowserEngine> WebKitEngineFactory::Create(IBrowserEngine* relatedTo) {
    WebKitEngine* opener = nullptr;
    if (relatedTo) {
        opener = dynamic_cast<WebKitEngine*>(RealEngine(relatedTo));
        if (!opener) {
            std::fprintf(stderr, "fern: a new window needs an opener on the same engine\n");
            return nullptr;
        }
    }
    return Make(opener, nullptr);
}

std::unique_ptr<IBrowserEngine> WebKitEngineFactory::CreateForSite(const std::string& url) {
    const std::string site = SiteKeyOfUrl(ToUtf8(url));
    WebKitEngine* sameSite = nullptr;
    std::erase_if(m_made, [](const std::weak_ptr<WebKitEngine*>& made) {
        std::shared_ptr<WebKitEngine*> engine = made.lock();
        return !engine || !*engine;
    });
    if (!site.empty()) {
        for (const std::weak_ptr<WebKitEngine*>& made : m_made) {
            WebKitEngine* engine = *made.lock();
            if (engine->ProcessAlive() && SiteKeyOfUrl(engine->ViewUri()) == site) {
                sameSite = engine;
                break;
            }
        }
    }
    return Make(nullptr, sameSite);
}

std::unique_ptr<IBrowserEngine> WebKitEngineFactory::Make(WebKitEngine* opener, WebKitEngine* sameSite) {
    try {
        auto engine = std::make_unique<WebKitEngine>(m_context, m_homeUrl, opener, sameSite);
        m_made.push_back(engine->Self());
        return engine;
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}

}  // namespace fern
