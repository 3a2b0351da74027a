#pragma once
// What the URL extraction saves: the list file (one folder "urls"), the two
// download managers' job files (".wrg" and ".iri", CR LF, Shift-JIS) and the
// clipboard text, each from the checked URLs in list order.
#include <string>
#include <string_view>
#include <vector>

namespace fern {

enum class JobKind { List, Iria, ReGet };

struct JobFileType {
    const char* extension;   // "fbl", "iri", "wrg"
    const char* filterName;  // "ブックマーク ファイル (*.fbl)", ...
};
JobFileType JobFileTypeOf(JobKind kind);

// The folder as typed, with "\" added unless it already ends in "\" or "/"
// (the last byte of a double-byte character is no separator); an empty
// folder stays empty.
std::string JobFolderText(std::string_view folder);

// `stamp` is the one time stamp of this save (TimeStampText).
std::string SerializeIriJob(const std::vector<std::string>& urls, std::string_view folder,
                            std::string_view stamp);
std::string SerializeWrgJob(const std::vector<std::string>& urls, std::string_view referer,
                            std::string_view folder);
std::string SerializeExtractList(const std::vector<std::string>& urls);
std::string JobFileBytes(JobKind kind, const std::vector<std::string>& urls, std::string_view referer,
                         std::string_view folder, std::string_view stamp);
// Each URL followed by CR LF.
std::string ExtractClipboardText(const std::vector<std::string>& urls);

// The default file name offered by the save chooser: the time stamp for a
// list file, "urllist" for the job files.
std::string JobDefaultName(JobKind kind, std::string_view stamp);

// Writes the file whole or not at all; false with the reason.
bool WriteJobFile(const std::string& path, std::string_view bytes, std::string* error);

}  // namespace fern
