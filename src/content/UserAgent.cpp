#include "content/UserAgent.h"

#include "platform/text/SjisByteClass.h"

namespace fern {

namespace {
constexpr std::size_t kMaxUserAgent = 255;  // the session option's buffer holds 256 with the end
}  // namespace

std::string UserAgentText(std::string_view setting) {
    std::string_view cut = setting.substr(0, SjisSafeCut(setting, kMaxUserAgent));
    std::string text;
    for (std::size_t i = 0; i < cut.size(); ++i) {
        const auto c = static_cast<unsigned char>(cut[i]);
        if (IsSjisLeadByte(c) && i + 1 < cut.size() &&
            IsSjisTrailByte(static_cast<unsigned char>(cut[i + 1]))) {
            text.append(cut.substr(i, 2));
            ++i;
        } else if (c >= 0x20 && c != 0x7F) {
            text.push_back(static_cast<char>(c));
        }
    }
    return text;
}

}  // namespace fern
