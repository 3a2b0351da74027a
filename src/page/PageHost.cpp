#include "page/PageHost.h"

namespace fern {

std::string HomePageUrl(const ProgramSettings& settings) {
    return settings.browser.homePageUrl.empty() ? std::string("about:blank") : settings.browser.homePageUrl;
}

}  // namespace fern
