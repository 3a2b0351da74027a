#pragma once
// What the engine is told about cookies, and the rule that turns the
// allowed kinds of cookies into it.
#include <functional>

namespace fern {

enum class CookieAccept { Always, NoThirdParty, Never };

struct CookieEnginePolicy {
    CookieAccept accept = CookieAccept::NoThirdParty;
    // False: accepted cookies live only until the program ends.
    bool persistent = true;
    bool operator==(const CookieEnginePolicy&) const = default;
};

// Which cookies the user allows: lasting ones ("always") and per-session
// ones, for the site itself and for other sites.
struct AllowedCookies {
    bool firstAlways = false, firstSession = false;
    bool thirdAlways = false, thirdSession = false;
};

// The engine cannot accept other sites' cookies while refusing the site's
// own, so refusing the site's own refuses all. Refusing every cookie keeps
// the lasting store in place, so nothing stored is dropped.
CookieEnginePolicy EnginePolicyFor(const AllowedCookies& allowed);

class ICookieEngine {
public:
    virtual ~ICookieEngine() = default;
    virtual void ApplyCookiePolicy(const CookieEnginePolicy& policy) = 0;
    // `done` gets false when the cookies could not be removed.
    virtual void ClearAllCookies(std::function<void(bool)> done) = 0;
};

}  // namespace fern
