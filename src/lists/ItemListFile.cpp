#include "lists/ItemListFile.h"

#include "lists/ListLine.h"
#include "lists/ListTextWriter.h"

namespace fern {

void ParseItemList(std::string_view bytes, std::vector<UrlItem>& items) {
    UrlItem* current = nullptr;  // the last item appended; none before the first "#URL"
    ForEachFirstFolderLine(bytes, [&](ListLineKind kind, std::string_view line) {
        if (kind == ListLineKind::Head) {
            if (ListLineKey(line) == 'U') current = &items.emplace_back();
            return;
        }
        if (!current) return;
        switch (ListLineKey(line)) {
            case 'N': current->name = ListFieldValue(line); break;
            case 'U': current->url = ListFieldValue(line); break;
            case 'S': current->style = ParseListNumber(ListFieldValue(line)); break;
            default: break;
        }
    });
}

ListFileStatus ReadItemList(std::string_view path, std::vector<UrlItem>& items) {
    ListFileStatus status;
    if (std::optional<std::string> bytes = LoadListFile(path, status)) ParseItemList(*bytes, items);
    return status;
}

std::string SerializeItemList(std::string_view listName, const std::vector<UrlItem>& items) {
    ListTextWriter out;
    out.Text("#FOLDER\n");
    out.Field("\tNAME=", listName);
    out.Text("\n");
    for (const UrlItem& item : items) {
        out.Text("#URL\n");
        if (!item.name.empty()) out.Field("\tNAME=", item.name);
        if (!item.url.empty()) {
            out.Field("\tURL=", item.url);
            out.NumberField("\tSTYLE=", item.style);
        }
        out.Text("\n");
    }
    out.Text("-\n");
    return out.Take();
}

ListFileStatus WriteItemList(std::string_view path, std::string_view listName,
                             const std::vector<UrlItem>& items) {
    return SaveListFile(path, SerializeItemList(listName, items));
}

}  // namespace fern
