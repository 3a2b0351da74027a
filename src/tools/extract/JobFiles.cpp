#include "tools/extract/JobFiles.h"

#include "lists/UrlListFile.h"
#include "platform/fs/FileIo.h"
#include "platform/text/SjisByteClass.h"

namespace fern {

namespace {

// A line break inside a value would start a line of its own in the job file.
std::string OneLine(std::string_view text, bool isUrl) {
    std::string line;
    line.reserve(text.size());
    for (char c : text) {
        if (c == '\r' || c == '\n') line += isUrl ? (c == '\r' ? "%0D" : "%0A") : " ";
        else line += c;
    }
    return line;
}

}  // namespace

JobFileType JobFileTypeOf(JobKind kind) {
    switch (kind) {
        case JobKind::Iria: return {"iri", "Iria ファイル (*.iri)"};
        case JobKind::ReGet: return {"wrg", "ReGet ファイル (*.wrg)"};
        case JobKind::List: break;
    }
    return {"fbl", "ブックマーク ファイル (*.fbl)"};
}

std::string JobFolderText(std::string_view typed) {
    if (typed.empty()) return {};
    std::string folder = OneLine(typed, false);
    std::size_t last = folder.size() - 1;
    bool separator = (folder[last] == '\\' || folder[last] == '/') &&
                     SjisByteClassAt(folder, last) == SjisByteClass::Single;
    return separator ? folder : folder + "\\";
}

std::string SerializeIriJob(const std::vector<std::string>& urls, std::string_view folder,
                            std::string_view stamp) {
    std::string out;
    std::string folderText = JobFolderText(folder);
    for (const std::string& url : urls) {
        out += "Url=" + OneLine(url, true) + "\r\n";
        out += "Folder=" + folderText + "\r\n";
        out += "Date=" + std::string(stamp) + "\r\n";
        out += "ID=0\r\n\r\n";
    }
    return out;
}

std::string SerializeWrgJob(const std::vector<std::string>& urls, std::string_view referer,
                            std::string_view folder) {
    std::string out;
    std::string folderText = JobFolderText(folder);
    for (const std::string& url : urls) {
        out += ";\r\nInfo=\r\n";
        out += "RefererStr=" + OneLine(referer, true) + "\r\n";
        out += "StoreIn=" + folderText + "\r\n";
        out +=
            "SaveAs=\r\nAdvanced=0\r\nLogin=0\r\nPassword=\r\nUserName=\r\n_RemoteFileSize=-1\r\n_State="
            "2\r\n";
        out += "Url=" + OneLine(url, true) + "\r\n";
    }
    return out;
}

std::string SerializeExtractList(const std::vector<std::string>& urls) {
    return SerializeUrlList("urls", urls);
}

std::string JobFileBytes(JobKind kind, const std::vector<std::string>& urls, std::string_view referer,
                         std::string_view folder, std::string_view stamp) {
    switch (kind) {
        case JobKind::Iria: return SerializeIriJob(urls, folder, stamp);
        case JobKind::ReGet: return SerializeWrgJob(urls, referer, folder);
        case JobKind::List: break;
    }
    return SerializeExtractList(urls);
}

std::string ExtractClipboardText(const std::vector<std::string>& urls) {
    std::string text;
    for (const std::string& url : urls) text += OneLine(url, true) + "\r\n";
    return text;
}

std::string JobDefaultName(JobKind kind, std::string_view stamp) {
    return std::string(kind == JobKind::List ? stamp : "urllist") + "." + JobFileTypeOf(kind).extension;
}

bool WriteJobFile(const std::string& path, std::string_view bytes, std::string* error) {
    std::string reason;
    if (WriteFileAtomic(path, bytes, &reason)) return true;
    LogWriteFailure(path, reason);
    if (error) *error = reason;
    return false;
}

}  // namespace fern
