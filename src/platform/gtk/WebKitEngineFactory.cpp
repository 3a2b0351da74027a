#include "platform/gtk/WebKitEngineFactory.h"

#include <cstdio>
#include <new>

#include "platform/engine/LazyEngine.h"
#include "platform/gtk/WebKitEngine.h"

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
    try {
        return std::make_unique<WebKitEngine>(m_context, m_homeUrl, opener);
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}

}  // namespace fern
