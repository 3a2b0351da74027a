// fernctl list dump|write: list files (.fbl) as JSON and back.
//
// JSON shapes (all text UTF-8):
//   bookmark  {"root": NODE, "trash": NODE}; NODE = {"type", "name", "url",
//             "desc", "style", "exstyle", "created", "children": [NODE...]}
//             with "children" on folders only. On writing, "type" is
//             required below the two top folders; other fields default as a
//             new item does.
//   items     [{"type", "style", "exstyle", "name", "url", "created"}...]
//   urls      ["url"...]
//   sections  [{"name": "...", "entries": ["..."]}...] in file order
// Written lists are named by --name; without it, items lists are named
// "UrlList" and URL lists "urls", as the program names the lists the user
// saves.
#include <sys/stat.h>

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <memory>
#include <nlohmann/json.hpp>
#include <optional>
#include <string>
#include <vector>

#include "Commands.h"
#include "lists/BookmarkFile.h"
#include "lists/ItemListFile.h"
#include "lists/ListTextWriter.h"
#include "lists/SectionFile.h"
#include "lists/UrlListFile.h"
#include "platform/fs/FileIo.h"
#include "platform/text/Encoding.h"

namespace fernctl {

namespace {

using nlohmann::json;

const char kRootName[] = "Fern Browser BookMark";
const char kDefaultItemListName[] = "UrlList";
const char kDefaultUrlListName[] = "urls";

enum class Kind { Bookmark, Items, Urls, Sections };

struct ListArgs {
    std::string action;
    std::string file;       // Shift-JIS
    std::string fileShown;  // as given, for messages
    Kind kind = Kind::Bookmark;
    std::optional<std::string> name;  // Shift-JIS
};

// A check of the JSON that failed; `where` names the place, e.g.
// "root.children[2].style".
struct BadJson {
    std::string where;
    std::string what;
};

// ---------------------------------------------------------------- arguments

std::optional<Kind> ParseKind(const std::string& text) {
    if (text == "bookmark") return Kind::Bookmark;
    if (text == "items") return Kind::Items;
    if (text == "urls") return Kind::Urls;
    if (text == "sections") return Kind::Sections;
    return std::nullopt;
}

// Returns 0 and fills `out`, or the exit status of a failure already reported.
int ParseArgs(const Args& args, ListArgs& out) {
    const char usage[] =
        "usage: fernctl list dump|write FILE --kind bookmark|items|urls|sections [--name LISTNAME]";
    if (args.empty()) return Fail(std::string("list: missing action; ") + usage);
    out.action = args[0];
    if (out.action != "dump" && out.action != "write")
        return Fail("list: unknown action '" + out.action + "'; " + usage);
    bool haveFile = false, haveKind = false;
    for (std::size_t i = 1; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--kind" || arg == "--name") {
            if (i + 1 >= args.size()) return Fail("list: " + arg + " needs a value");
            const std::string& value = args[++i];
            if (arg == "--kind") {
                std::optional<Kind> kind = ParseKind(value);
                if (!kind)
                    return Fail("list: unknown kind '" + value + "' (bookmark, items, urls or sections)");
                out.kind = *kind;
                haveKind = true;
            } else {
                out.name = fern::FromUtf8Exact(value);
                if (!out.name) return Fail("list: --name holds a character that Shift-JIS cannot store");
            }
        } else if (arg.size() > 1 && arg[0] == '-') {
            return Fail("list: unknown option '" + arg + "'; " + usage);
        } else if (!haveFile) {
            out.file = PathArgument(arg);
            out.fileShown = arg;
            haveFile = true;
        } else {
            return Fail("list: unexpected argument '" + arg + "'; " + usage);
        }
    }
    if (!haveFile) return Fail(std::string("list: missing FILE; ") + usage);
    if (!haveKind) return Fail(std::string("list: missing --kind; ") + usage);
    if (out.name) {
        if (out.action != "write" || (out.kind != Kind::Items && out.kind != Kind::Urls))
            return Fail("list: --name applies to writing items and urls lists only");
        if (fern::HoldsLineBreakOrNul(*out.name))
            return Fail("list: --name holds a line break or NUL, which a list file cannot store");
    }
    return 0;
}

// ---------------------------------------------------------------- dump

std::string Quote(std::string_view sjis) {
    return json(fern::ToUtf8(sjis)).dump(-1, ' ', false, json::error_handler_t::replace);
}

void Indent(std::string& out, std::size_t depth) {
    // Deep trees stay readable and the output stays linear in size.
    out.append(2 * (depth < 32 ? depth : 32), ' ');
}

void AppendNodeFields(std::string& out, const fern::BookmarkNode& node) {
    char numbers[160];
    std::snprintf(numbers, sizeof numbers, "\"style\": %lu, \"exstyle\": %lu, \"created\": %lu",
                  static_cast<unsigned long>(node.style), static_cast<unsigned long>(node.exstyle),
                  static_cast<unsigned long>(node.created));
    out += "{\"type\": " + std::to_string(node.type) + ", \"name\": " + Quote(node.name) +
           ", \"url\": " + Quote(node.url) + ", \"desc\": " + Quote(node.desc) + ", " + numbers;
}

// One top folder and its subtree, walked without recursion.
void AppendTree(std::string& out, const fern::BookmarkNode& top, std::size_t depth) {
    AppendNodeFields(out, top);
    if (!top.IsFolder()) {
        out += "}";
        return;
    }
    out += ", \"children\": [";
    const fern::BookmarkNode* node = top.FirstChild();
    if (!node) {
        out += "]}";
        return;
    }
    out += "\n";
    ++depth;
    while (node) {
        Indent(out, depth);
        AppendNodeFields(out, *node);
        if (node->IsFolder()) {
            out += ", \"children\": [";
            if (node->FirstChild()) {
                out += "\n";
                node = node->FirstChild();
                ++depth;
                continue;
            }
            out += "]";
        }
        out += "}";
        while (!node->Next()) {
            node = node->Parent();
            --depth;
            out += "\n";
            Indent(out, depth);
            out += "]}";
            if (node == &top) return;
        }
        out += ",\n";
        node = node->Next();
    }
}

// Dumped objects keep their keys in the documented order.
using ordered_json = nlohmann::ordered_json;

ordered_json ItemJson(const fern::UrlItem& item) {
    return ordered_json{{"type", item.type},
                        {"style", item.style},
                        {"exstyle", item.exstyle},
                        {"name", fern::ToUtf8(item.name)},
                        {"url", fern::ToUtf8(item.url)},
                        {"created", item.created}};
}

std::string DumpJson(const ordered_json& value) {
    return value.dump(2, ' ', false, ordered_json::error_handler_t::replace);
}

// Exit status 2 after a message when the file exists but is no regular file;
// `missing` tells whether there is no file at all (read as the program
// reads a missing file, written as a new one). A FIFO or a device is never
// read, nor replaced by a written list.
int CheckRegular(const ListArgs& args, const char* verb, bool& missing) {
    struct stat info;
    missing = false;
    const std::string what = std::string("list: cannot ") + verb + " " + args.fileShown + ": ";
    if (stat(args.file.c_str(), &info) != 0) {
        if (errno == ENOENT) {
            missing = true;
            return 0;
        }
        return Fail(what + std::strerror(errno));
    }
    if (S_ISDIR(info.st_mode)) return Fail(what + "is a folder");
    if (!S_ISREG(info.st_mode)) return Fail(what + "not a regular file");
    return 0;
}

int RunDump(const ListArgs& args) {
    bool missing = false;
    if (int status = CheckRegular(args, "read", missing)) return status;
    fern::ListFileStatus read;
    std::string out;
    switch (args.kind) {
        case Kind::Bookmark: {
            fern::BookmarkReadOptions options;
            options.rootName = kRootName;
            options.timeStamp = static_cast<std::uint32_t>(std::time(nullptr));
            fern::BookmarkFileContents contents = fern::ReadBookmarkFile(args.file, options);
            read = contents.status;
            out = "{\n  \"root\": ";
            AppendTree(out, *contents.root, 1);
            out += ",\n  \"trash\": ";
            AppendTree(out, *contents.trash, 1);
            out += "\n}";
            break;
        }
        case Kind::Items: {
            std::vector<fern::UrlItem> items;
            read = fern::ReadItemList(args.file, items);
            ordered_json list = ordered_json::array();
            for (const fern::UrlItem& item : items) list.push_back(ItemJson(item));
            out = DumpJson(list);
            break;
        }
        case Kind::Urls: {
            std::vector<std::string> urls;
            read = fern::ReadUrlList(args.file, urls);
            ordered_json list = ordered_json::array();
            for (const std::string& url : urls) list.push_back(fern::ToUtf8(url));
            out = DumpJson(list);
            break;
        }
        case Kind::Sections: {
            std::vector<fern::ListSection> sections;
            if (std::optional<std::string> bytes = fern::LoadListFile(args.file, read))
                sections = fern::ParseAllSections(*bytes);
            ordered_json list = ordered_json::array();
            for (const fern::ListSection& section : sections) {
                ordered_json entries = ordered_json::array();
                for (const std::string& entry : section.entries) entries.push_back(fern::ToUtf8(entry));
                list.push_back({{"name", fern::ToUtf8(section.name)}, {"entries", entries}});
            }
            out = DumpJson(list);
            break;
        }
    }
    if (!read.ok && !missing) return Fail("list: cannot read " + args.fileShown + ": " + read.error);
    out += "\n";
    if (std::fwrite(out.data(), 1, out.size(), stdout) != out.size() || std::fflush(stdout) != 0)
        return Fail("list: cannot write to standard output");
    return 0;
}

// ---------------------------------------------------------------- write

// Field readers: absent keys keep the value they were given; anything else
// of the wrong shape throws BadJson.
class JsonObject {
public:
    JsonObject(const json& value, std::string where, std::initializer_list<const char*> keys)
        : value_(value), where_(std::move(where)) {
        if (!value.is_object()) throw BadJson{where_, "expected an object"};
        for (const auto& entry : value.items()) {
            bool known = false;
            for (const char* key : keys) known = known || entry.key() == key;
            if (!known) throw BadJson{where_, "unknown field '" + entry.key() + "'"};
        }
    }

    bool Has(const char* key) const { return value_.contains(key); }
    const json& At(const char* key) const { return value_.at(key); }
    std::string Where(const char* key) const { return where_ + "." + key; }

    void Number(const char* key, std::uint32_t& out, std::uint32_t max = UINT32_MAX) const {
        if (!Has(key)) return;
        const json& v = At(key);
        bool ok = false;
        if (v.is_number_unsigned()) {
            auto n = v.get<std::uint64_t>();
            ok = n <= max;
            out = static_cast<std::uint32_t>(n);
        } else if (v.is_number_integer()) {
            auto n = v.get<std::int64_t>();
            ok = n >= 0 && static_cast<std::uint64_t>(n) <= max;
            out = static_cast<std::uint32_t>(n);
        }
        if (!ok) throw BadJson{Where(key), "expected a whole number from 0 to " + std::to_string(max)};
    }

    // `memo` lets line breaks through (they are stored as 0x02 0x02).
    void Text(const char* key, std::string& out, bool memo = false) const {
        if (!Has(key)) return;
        out = TextValue(At(key), Where(key), memo);
    }

    static std::string TextValue(const json& v, const std::string& where, bool memo = false) {
        if (!v.is_string()) throw BadJson{where, "expected a text"};
        std::optional<std::string> exact = fern::FromUtf8Exact(v.get_ref<const std::string&>());
        if (!exact) throw BadJson{where, "holds a character that Shift-JIS cannot store"};
        std::string text = std::move(*exact);
        if (memo ? text.find('\0') != std::string::npos : fern::HoldsLineBreakOrNul(text))
            throw BadJson{where, memo ? "holds a NUL character, which a list file cannot store"
                                      : "holds a line break or NUL, which a list file cannot store"};
        return text;
    }

private:
    const json& value_;
    std::string where_;
};

const json& ArrayAt(const JsonObject& object, const char* key) {
    const json& v = object.At(key);
    if (!v.is_array()) throw BadJson{object.Where(key), "expected an array"};
    return v;
}

std::unique_ptr<fern::BookmarkNode> NodeFromJson(const json& value, const std::string& where, bool top) {
    JsonObject object(value, where,
                      {"type", "name", "url", "desc", "style", "exstyle", "created", "children"});
    std::uint32_t type = fern::kItemFolder;
    if (!top && !object.Has("type")) throw BadJson{where, "missing field 'type'"};
    object.Number("type", type, fern::kItemFolder);
    if (top && type != fern::kItemFolder) throw BadJson{object.Where("type"), "must be 2 (folder)"};
    if (object.Has("children") && type != fern::kItemFolder)
        throw BadJson{object.Where("children"), "only a folder (type 2) has children"};
    auto node = fern::MakeBookmarkNode(static_cast<std::uint16_t>(type), "", "", fern::kDefaultItemStyle,
                                       fern::kDefaultItemExStyle, 0);
    object.Text("name", node->name);
    object.Text("url", node->url);
    object.Text("desc", node->desc, true);
    object.Number("style", node->style);
    object.Number("exstyle", node->exstyle);
    object.Number("created", node->created);
    if (object.Has("children")) ArrayAt(object, "children");
    return node;
}

// "root.children[0].children[3]", shortened for deep places.
std::string NodePlace(const std::string& top, const std::vector<std::size_t>& indexes) {
    std::string place = top;
    for (std::size_t i = 0; i < indexes.size(); ++i) {
        if (indexes.size() > 8 && i == 3) {
            place += ".(" + std::to_string(indexes.size() - 6) + " levels)";
            i = indexes.size() - 3;
        }
        place += ".children[" + std::to_string(indexes[i]) + "]";
    }
    return place;
}

// A top folder and its subtree, built without recursion.
std::unique_ptr<fern::BookmarkNode> TreeFromJson(const json& value, const std::string& name,
                                                 const char* defaultName) {
    auto top = NodeFromJson(value, name, true);
    if (!value.contains("name")) top->name = defaultName;
    struct Level {
        const json* children;
        std::size_t next;
        fern::BookmarkNode* folder;
    };
    std::vector<Level> levels;
    std::vector<std::size_t> indexes;
    if (value.contains("children")) levels.push_back({&value.at("children"), 0, top.get()});
    while (!levels.empty()) {
        Level& level = levels.back();
        if (level.next >= level.children->size()) {
            levels.pop_back();
            if (!indexes.empty()) indexes.pop_back();
            continue;
        }
        std::size_t index = level.next++;
        const json& child = (*level.children)[index];
        indexes.push_back(index);
        fern::BookmarkNode* node =
            level.folder->AppendChild(NodeFromJson(child, NodePlace(name, indexes), false));
        if (child.is_object() && child.contains("children"))
            levels.push_back({&child.at("children"), 0, node});  // `level` is stale from here
        else indexes.pop_back();
    }
    return top;
}

std::vector<fern::UrlItem> ItemsFromJson(const json& value) {
    if (!value.is_array()) throw BadJson{"the input", "expected an array of items"};
    std::vector<fern::UrlItem> items;
    for (std::size_t i = 0; i < value.size(); ++i) {
        JsonObject object(value[i], "[" + std::to_string(i) + "]",
                          {"type", "style", "exstyle", "name", "url", "created"});
        fern::UrlItem& item = items.emplace_back();
        std::uint32_t type = item.type;
        object.Number("type", type, UINT16_MAX);
        item.type = static_cast<std::uint16_t>(type);
        object.Number("style", item.style);
        object.Number("exstyle", item.exstyle);
        object.Text("name", item.name);
        object.Text("url", item.url);
        object.Number("created", item.created);
    }
    return items;
}

std::vector<std::string> TextsFromJson(const json& value, const std::string& where) {
    if (!value.is_array()) throw BadJson{where, "expected an array of texts"};
    std::vector<std::string> texts;
    for (std::size_t i = 0; i < value.size(); ++i)
        texts.push_back(JsonObject::TextValue(value[i], where + "[" + std::to_string(i) + "]"));
    return texts;
}

std::vector<fern::ListSection> SectionsFromJson(const json& value) {
    if (!value.is_array()) throw BadJson{"the input", "expected an array of sections"};
    std::vector<fern::ListSection> sections;
    for (std::size_t i = 0; i < value.size(); ++i) {
        std::string where = "[" + std::to_string(i) + "]";
        JsonObject object(value[i], where, {"name", "entries"});
        if (!object.Has("name")) throw BadJson{where, "missing field 'name'"};
        fern::ListSection& section = sections.emplace_back();
        object.Text("name", section.name);
        if (object.Has("entries")) section.entries = TextsFromJson(object.At("entries"), where + ".entries");
    }
    return sections;
}

// Standard input may be a device that never ends.
constexpr std::size_t kMaxInput = 64 * 1024 * 1024;

std::optional<std::string> ReadStandardInput(bool& tooLong) {
    std::string text;
    char buffer[65536];
    std::size_t n;
    tooLong = false;
    while ((n = std::fread(buffer, 1, sizeof buffer, stdin)) > 0) {
        text.append(buffer, n);
        if (text.size() > kMaxInput) {
            tooLong = true;
            return std::nullopt;
        }
    }
    if (std::ferror(stdin)) return std::nullopt;
    return text;
}

int RunWrite(const ListArgs& args) {
    bool missing = false, tooLong = false;
    if (int status = CheckRegular(args, "write", missing)) return status;
    std::optional<std::string> input = ReadStandardInput(tooLong);
    if (tooLong) return Fail("list: standard input is larger than 64 MiB");
    if (!input) return Fail("list: cannot read standard input");
    json value = json::parse(*input, nullptr, false);
    if (value.is_discarded()) return Fail("list: standard input is not valid JSON");

    // Everything is checked and built before the file is touched.
    fern::ListFileStatus written;
    try {
        switch (args.kind) {
            case Kind::Bookmark: {
                if (!value.is_object())
                    throw BadJson{"the input", "expected {\"root\": ..., \"trash\": ...}"};
                JsonObject object(value, "the input", {"root", "trash"});
                if (!object.Has("root") || !object.Has("trash"))
                    throw BadJson{"the input", "expected both \"root\" and \"trash\""};
                auto root = TreeFromJson(object.At("root"), "root", kRootName);
                auto trash = TreeFromJson(object.At("trash"), "trash", fern::kTrashFolderName);
                written = fern::WriteBookmarkFile(args.file, *root, *trash);
                break;
            }
            case Kind::Items:
                written = fern::WriteItemList(args.file, args.name.value_or(kDefaultItemListName),
                                              ItemsFromJson(value));
                break;
            case Kind::Urls:
                written = fern::WriteUrlList(args.file, args.name.value_or(kDefaultUrlListName),
                                             TextsFromJson(value, "the input"));
                break;
            case Kind::Sections: {
                std::vector<fern::ListSection> sections = SectionsFromJson(value);
                std::vector<fern::SectionWriter> writers;
                for (const fern::ListSection& section : sections)
                    writers.push_back([&section](fern::ListTextWriter& out) {
                        fern::WriteSectionEntries(out, section.name, section.entries);
                    });
                written = fern::WriteSections(args.file, writers);
                break;
            }
        }
    } catch (const BadJson& bad) {
        return Fail("list: " + bad.where + ": " + bad.what);
    }
    if (!written.ok) return Fail("list: cannot write " + args.fileShown + ": " + written.error);
    return 0;
}

}  // namespace

int RunListCommand(const Args& args) {
    ListArgs parsed;
    if (int status = ParseArgs(args, parsed)) return status;
    return parsed.action == "dump" ? RunDump(parsed) : RunWrite(parsed);
}

}  // namespace fernctl
