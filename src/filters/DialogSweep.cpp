#include "filters/DialogSweep.h"

#include "filters/PageDialogCaption.h"
#include "platform/text/SjisByteClass.h"

namespace fern {

SweepAction SweepRule(const SweptDialog& d) {
    if (d.kind == SweptKind::HtmlDialog)
        return SjisContains(d.caption, "スクリプト") && SjisContains(d.caption, "エラー") ? SweepAction::Close
                                                                                          : SweepAction::Keep;
    if (!d.staticText) return SweepAction::Keep;
    const std::string& text = *d.staticText;
    if (CaptionEquals(d.caption, kLegacyPageDialogCaption, d.pageDialog)) {
        if (SjisContains(text, "ActiveX") && (SjisContains(text, "実行") || SjisContains(text, "安全")))
            return SweepAction::Dismiss;
        if (SjisContains(text, "開けません")) return SweepAction::Dismiss;
    }
    if ((SjisContains(d.caption, "オフラインでは") ||
         CaptionContains(d.caption, kLegacyPageDialogCaption, d.pageDialog)) &&
        !SjisContains(text, "ショートカット"))
        return SweepAction::Dismiss;
    return SweepAction::Keep;
}

}  // namespace fern
