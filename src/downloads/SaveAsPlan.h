#pragma once
// What "名前をつけて保存" offers for the page shown: an HTML page as one MHTML
// file (its images and styles inside, the default) or as the page's own
// bytes; anything else (an image, a PDF, a text) as its own bytes. The name
// comes from the page's title made safe as a file name.
#include <string>
#include <string_view>
#include <vector>

namespace fern {

enum class SaveFormat {
    Mhtml,      // the page and what it shows, in one file
    PageBytes,  // the bytes the server sent, unchanged
};

struct SaveAsPlan {
    std::vector<SaveFormat> formats;  // the first is the default
    std::string fileName;             // for the default format; the file system's bytes
};

bool IsHtmlType(std::string_view mimeType);

// `title` and `url` are Shift-JIS; `mimeType` is the main resource's.
SaveAsPlan PlanSaveAs(const std::string& title, const std::string& url, const std::string& mimeType);

// The extension a file of that format gets (".mhtml", ".html", ".png", ...);
// empty when nothing is known of the type.
std::string FormatExtension(SaveFormat format, const std::string& url, const std::string& mimeType);

// `name` with extension `from` replaced by `to` (appended when it lacks `from`).
std::string SwapExtension(const std::string& name, const std::string& from, const std::string& to);

}  // namespace fern
