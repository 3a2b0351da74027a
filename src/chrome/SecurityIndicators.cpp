#include "chrome/SecurityIndicators.h"

namespace fern {

std::string ZoneName(int zone) {
    switch (zone) {
        case 0: return "マイ コンピュータ";
        case 1: return "ローカル イントラネット";
        case 2: return "信頼済みサイト";
        case 3: return "インターネット";
        case 4: return "制限付きサイト";
        default: return {};
    }
}

std::string ZoneIndicatorText(int zone) {
    std::string name = ZoneName(zone);
    return name.empty() ? name : "セキュリティ ゾーン: " + name;
}

}  // namespace fern
