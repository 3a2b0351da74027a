#include "platform/gtk/WebKitSadPage.h"

#include "platform/gtk/WebKitNavigationRules.h"
#include "platform/text/Encoding.h"

namespace fern {

namespace {

const char* ReasonText(WebKitWebProcessTerminationReason reason) {
    switch (reason) {
        case WEBKIT_WEB_PROCESS_CRASHED: return "ページを表示していたプロセスが異常終了しました。";
        case WEBKIT_WEB_PROCESS_EXCEEDED_MEMORY_LIMIT:
            return "ページがメモリの上限を超えたため、表示を終了しました。";
        default: return "ページを表示していたプロセスが終了しました。";
    }
}

}  // namespace

std::string SadPageHtml(const std::string& titleUtf8, const std::string& urlUtf8,
                        WebKitWebProcessTerminationReason reason) {
    const std::string url = EscapeHtml(urlUtf8, true);
    std::string html = "<!DOCTYPE html><html><head><meta charset=\"utf-8\"><title>";
    html += EscapeHtml(titleUtf8.empty() ? urlUtf8 : titleUtf8, false);
    html +=
        "</title><style>body{font-family:sans-serif;margin:3em;color:#333}"
        "p.url{color:#666;word-break:break-all}"
        "a#reload{display:inline-block;padding:.4em 1.2em;border:1px solid #888;border-radius:4px;"
        "color:#000;background:#eee;text-decoration:none}</style></head><body><h1>";
    html += ToUtf8("このページを表示できませんでした");
    html += "</h1><p>";
    html += ToUtf8(ReasonText(reason));
    html += "</p><p class=\"url\">";
    html += EscapeHtml(urlUtf8, false);
    html += "</p><p><a id=\"reload\" role=\"button\" href=\"";
    html += url;
    html += "\">";
    html += ToUtf8("再読み込み");
    html += "</a></p></body></html>";
    return html;
}

}  // namespace fern
