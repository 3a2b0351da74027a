#include "privacy/CookiePolicy.h"

namespace fern {

CookieEnginePolicy EnginePolicyFor(const AllowedCookies& a) {
    bool first = a.firstAlways || a.firstSession;
    bool third = a.thirdAlways || a.thirdSession;
    if (!first) return {CookieAccept::Never, true};
    CookieEnginePolicy policy;
    policy.accept = third ? CookieAccept::Always : CookieAccept::NoThirdParty;
    policy.persistent = a.firstAlways || (third && a.thirdAlways);
    return policy;
}

}  // namespace fern
