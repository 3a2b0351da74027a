#include "filters/PageDialogCaption.h"

#include "platform/text/SjisByteClass.h"

namespace fern {

bool CaptionContains(std::string_view caption, std::string_view wanted, bool pageDialog) {
    if (SjisContains(caption, wanted)) return true;
    return pageDialog && caption == kPageDialogCaption && SjisContains(kLegacyPageDialogCaption, wanted);
}

bool CaptionEquals(std::string_view caption, std::string_view wanted, bool pageDialog) {
    if (caption == wanted) return true;
    return pageDialog && caption == kPageDialogCaption && wanted == kLegacyPageDialogCaption;
}

}  // namespace fern
