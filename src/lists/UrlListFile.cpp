#include "lists/UrlListFile.h"

#include "lists/ListLine.h"
#include "lists/ListTextWriter.h"

namespace fern {

void ParseUrlList(std::string_view bytes, std::vector<std::string>& urls) {
    ForEachFirstFolderLine(bytes, [&](ListLineKind kind, std::string_view line) {
        if (kind == ListLineKind::Field && ListLineKey(line) == 'U') urls.emplace_back(ListFieldValue(line));
    });
}

ListFileStatus ReadUrlList(std::string_view path, std::vector<std::string>& urls) {
    ListFileStatus status;
    if (std::optional<std::string> bytes = LoadListFile(path, status)) ParseUrlList(*bytes, urls);
    return status;
}

std::string SerializeUrlList(std::string_view listName, const std::vector<std::string>& urls) {
    ListTextWriter out;
    out.Text("#FOLDER\n");
    out.Field("\tNAME=", listName);
    out.Text("\n");
    for (const std::string& url : urls) {
        out.Text("#URL\n");
        out.Field("\tURL=", url);
        out.Text("\n\n");
    }
    out.Text("-\n");
    return out.Take();
}

ListFileStatus WriteUrlList(std::string_view path, std::string_view listName,
                            const std::vector<std::string>& urls) {
    return SaveListFile(path, SerializeUrlList(listName, urls));
}

}  // namespace fern
