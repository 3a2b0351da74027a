#include "lists/BookmarkFile.h"

#include <vector>

#include "lists/ListLine.h"
#include "lists/ListTextWriter.h"

namespace fern {

namespace {

void SetField(BookmarkNode& node, std::string_view line) {
    std::string_view value = ListFieldValue(line);
    switch (ListLineKey(line)) {
        case 'N': node.name = value; break;
        case 'U': node.url = value; break;
        case 'D': node.desc = value; break;
        case 'S': node.style = ParseListNumber(value); break;
        case 'E': node.exstyle = ParseListNumber(value); break;
        case 'C': node.created = ParseListNumber(value); break;
        default: break;
    }
}

// Reads the contents of `top` up to its "-" or the end of the bytes. Field
// lines set the current item: the folder itself at first, then the last URL
// record; after a nested folder the current item is what it was before.
// Nesting is kept on a heap stack, so any depth is safe.
void ReadFolderContents(ListLineReader& lines, BookmarkNode& top, const BookmarkReadOptions& options) {
    struct Level {
        BookmarkNode* folder;
        BookmarkNode* current;
    };
    std::vector<Level> outer;
    BookmarkNode* folder = &top;
    BookmarkNode* current = &top;
    std::string_view line;
    while (lines.Next(line)) {
        switch (ClassifyListLine(line)) {
            case ListLineKind::Field: SetField(*current, line); break;
            case ListLineKind::Head:
                switch (ListLineKey(line)) {
                    case 'U':
                        current = AddBookmarkNode(*folder, kItemUrl, "unknown url", "", kDefaultItemStyle,
                                                  options.defaultAddStyle, options.timeStamp);
                        break;
                    case 'S':
                        AddBookmarkNode(*folder, kItemSeparator, "", "", kDefaultItemStyle,
                                        kDefaultItemExStyle, options.timeStamp);
                        break;
                    case 'F':
                        outer.push_back({folder, current});
                        folder = current =
                            AddBookmarkNode(*folder, kItemFolder, "unknown dir", "", kDefaultItemStyle,
                                            kDefaultItemExStyle, options.timeStamp);
                        break;
                    default: break;
                }
                break;
            case ListLineKind::Close:
                if (outer.empty()) return;
                folder = outer.back().folder;
                current = outer.back().current;
                outer.pop_back();
                break;
            default: break;
        }
    }
}

std::unique_ptr<BookmarkNode> MakeTopFolder(std::string_view name, std::uint32_t timeStamp) {
    return MakeBookmarkNode(kItemFolder, name, "", kDefaultItemStyle, kDefaultItemExStyle, timeStamp);
}

void WriteRecord(ListTextWriter& out, const BookmarkNode& node) {
    switch (node.type) {
        case kItemFolder:
            out.Text("#FOLDER\n");
            out.Field("\tNAME=", node.name);
            out.MemoField("\tDESC=", node.desc);
            out.NumberField("\tCREATED=", node.created);
            out.Text("\n");
            break;
        case kItemUrl:
            out.Text("#URL\n");
            out.Field("\tNAME=", node.name);
            out.Field("\tURL=", node.url);
            out.MemoField("\tDESC=", node.desc);
            out.NumberField("\tSTYLE=", node.style);
            out.NumberField("\tEXSTYLE=", node.exstyle);
            out.NumberField("\tCREATED=", node.created);
            out.Text("\n");
            break;
        case kItemSeparator: out.Text("#SEP\n\n"); break;
        default:  // no record for a type the format does not know
            break;
    }
}

// A top-level folder: its head (no memo), its subtree in display order, and
// the "-" of every folder as the walk leaves it.
void WriteTopFolder(ListTextWriter& out, const BookmarkNode& top) {
    out.Text("#FOLDER\n");
    out.Field("\tNAME=", top.name);
    out.NumberField("\tCREATED=", top.created);
    out.Text("\n");
    const BookmarkNode* node = top.FirstChild();
    while (node) {
        WriteRecord(out, *node);
        if (node->IsFolder()) {
            if (node->FirstChild()) {
                node = node->FirstChild();
                continue;
            }
            out.Text("-\n\n");
        }
        while (node != &top && !node->Next()) {
            node = node->Parent();
            if (node != &top) out.Text("-\n\n");
        }
        node = node == &top ? nullptr : node->Next();
    }
    out.Text("-\n\n");
}

}  // namespace

BookmarkFileContents ParseBookmarkFile(std::string_view bytes, const BookmarkReadOptions& options) {
    BookmarkFileContents contents;
    contents.root = MakeTopFolder(options.rootName, options.timeStamp);
    contents.trash = MakeTopFolder(kTrashFolderName, options.timeStamp);
    ListLineReader lines(bytes);
    std::string_view line;
    while (lines.Next(line)) {
        if (line.find("#FOLDER") == std::string_view::npos) continue;
        BookmarkNode* top = contents.rootRead ? contents.trash.get() : contents.root.get();
        contents.rootRead = true;
        ReadFolderContents(lines, *top, options);
    }
    return contents;
}

BookmarkFileContents ReadBookmarkFile(std::string_view path, const BookmarkReadOptions& options) {
    ListFileStatus status;
    std::optional<std::string> bytes = LoadListFile(path, status);
    BookmarkFileContents contents = ParseBookmarkFile(bytes ? *bytes : std::string_view(), options);
    contents.status = std::move(status);
    if (!bytes && !contents.root->FirstChild())
        AddBookmarkNode(*contents.root, kItemFolder, kLinksFolderName, "", kDefaultItemStyle,
                        kDefaultItemExStyle, options.timeStamp);
    return contents;
}

std::string SerializeBookmarkFile(const BookmarkNode& root, const BookmarkNode& trash) {
    ListTextWriter out;
    std::size_t size = 0;
    for (const BookmarkNode* top : {&root, &trash})
        for (const BookmarkNode* n = top; n; n = NextInTree(n, top))
            size += n->name.size() + n->url.size() + n->desc.size() + 96;  // + keys and numbers
    out.Reserve(size);
    WriteTopFolder(out, root);
    WriteTopFolder(out, trash);
    return out.Take();
}

ListFileStatus WriteBookmarkFile(std::string_view path, const BookmarkNode& root, const BookmarkNode& trash) {
    return SaveListFile(path, SerializeBookmarkFile(root, trash));
}

}  // namespace fern
