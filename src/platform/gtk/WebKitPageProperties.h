#pragma once
// The properties of a tab's page, from the response of its main resource:
// gathered apart from the dialog that shows them.
#include <webkit2/webkit2.h>

#include <functional>
#include <string>

namespace fern {

struct PageProperties {
    enum class Security { None, Secure, CertificateError };

    // Shift-JIS, as all the program's text.
    std::string title;
    std::string address;
    std::string mimeType;
    long long size = -1;       // bytes the page holds; -1 when unknown
    unsigned statusCode = 0;   // 0: no HTTP response (a file, a page of ours)
    std::string lastModified;  // the header values as sent; empty when absent
    std::string date;
    Security security = Security::None;
};

// Reads the properties of `view`'s page; `done` comes from the loop once
// the page's bytes are counted, and not at all when `cancellable` is
// cancelled first.
void GatherPageProperties(WebKitWebView* view, GCancellable* cancellable,
                          std::function<void(const PageProperties&)> done);

// The properties window (non-modal, closed by its button); the caller shows it.
GtkWidget* NewPagePropertiesDialog(GtkWindow* parent, const PageProperties& properties);

// Gathers and shows.
void ShowPageProperties(WebKitWebView* view, GCancellable* cancellable);

// "1,234 バイト"; "不明" when unknown. Shift-JIS.
std::string FormatByteSize(long long size);
// An HTTP date in local time as "2024/01/31 09:05:00"; other text as it is.
std::string FormatHttpDate(const std::string& value);

}  // namespace fern
