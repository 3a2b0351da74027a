// Reading a Chromium-family "Bookmarks" file: JSON with the roots
// "bookmark_bar", "other" and "synced", each a folder node whose
// "children" hold url and folder nodes in their order.
#include <cstdlib>
#include <nlohmann/json.hpp>
#include <optional>
#include <vector>

#include "bookmarks/BookmarkTree.h"
#include "bookmarks/exchange/BrowserImport.h"
#include "bookmarks/exchange/ExchangeText.h"
#include "platform/fs/FileIo.h"
#include "platform/text/Encoding.h"
#include "platform/text/UrlText.h"

namespace fern {

namespace {

using nlohmann::json;

struct KnownRoot {
    const char* key;
    const char* name;
};
constexpr KnownRoot kRoots[] = {
    {"bookmark_bar", kRootToolbarName},
    {"other", kRootOtherName},
    {"synced", kRootMobileName},
};

// "date_added" is a decimal string of microseconds since 1601.
std::uint32_t DateOf(const json& node) {
    auto found = node.find("date_added");
    if (found == node.end()) return 0;
    if (found->is_number_integer()) return SecondsFromWindowsMicros(found->get<std::int64_t>());
    if (!found->is_string()) return 0;
    const std::string& text = found->get_ref<const std::string&>();
    char* end = nullptr;
    long long micros = std::strtoll(text.c_str(), &end, 10);
    return end && *end == '\0' && !text.empty() ? SecondsFromWindowsMicros(micros) : 0;
}

// The string member `key`, empty when missing; nullopt when it is there
// with another type.
std::optional<std::string> StringMember(const json& node, const char* key) {
    auto found = node.find(key);
    if (found == node.end() || found->is_null()) return std::string();
    if (!found->is_string()) return std::nullopt;
    return found->get<std::string>();
}

class Reader {
public:
    Reader(BookmarkTree& tree, ExchangeStatus& status) : tree_(tree), status_(status) {}

    // Adds the folder node `node` (a root) to `into` named `name`, and
    // everything below it. False, with the status failed, on a node of the
    // wrong shape.
    bool AddRoot(const json& node, const char* key, const std::string& name, BookmarkNode& into) {
        if (!node.is_object()) return Fail(std::string("the root \"") + key + "\" is no object");
        BookmarkNode* folder = NewFolder(node, name, into);
        pending_.emplace_back(&node, folder);
        while (!pending_.empty()) {
            auto [source, target] = pending_.back();
            pending_.pop_back();
            if (!AddChildren(*source, *target)) return false;
        }
        roots_.push_back(folder);
        return true;
    }

    // Drops the roots that came out empty.
    void DropEmptyRoots() {
        for (BookmarkNode* root : roots_)
            if (!root->FirstChild()) root->Detach();
    }

private:
    bool Fail(std::string why) {
        status_ = ExchangeStatus::Failed("not a bookmark file of the expected form: " + why);
        return false;
    }

    BookmarkNode* NewFolder(const json& node, const std::string& name, BookmarkNode& into) {
        BookmarkNode* folder =
            tree_.AddNode(into, name, "", kItemFolder, kDefaultItemStyle, kDefaultItemExStyle);
        if (std::uint32_t date = DateOf(node)) folder->created = date;
        return folder;
    }

    bool AddChildren(const json& folder, BookmarkNode& into) {
        auto children = folder.find("children");
        if (children == folder.end()) return true;
        if (!children->is_array()) return Fail("\"children\" is no list");
        for (const json& child : *children) {
            if (!child.is_object()) return Fail("a node is no object");
            std::optional<std::string> type = StringMember(child, "type");
            std::optional<std::string> name = StringMember(child, "name");
            if (!type || !name) return Fail("a node's \"type\" or \"name\" is no text");
            if (*type == "folder") {
                BookmarkNode* sub = NewFolder(child, FromUtf8(*name), into);
                pending_.emplace_back(&child, sub);
            } else if (*type == "url") {
                std::optional<std::string> url = StringMember(child, "url");
                if (!url) return Fail("a node's \"url\" is no text");
                BookmarkNode* node =
                    tree_.AddNode(into, FromUtf8(name->empty() ? *url : *name), UrlFromUtf8(*url), kItemUrl,
                                  kDefaultItemStyle, tree_.Options().defaultAddStyle);
                if (std::uint32_t date = DateOf(child)) node->created = date;
            } else {
                ++status_.skipped;  // a kind of node this reader does not know
            }
        }
        return true;
    }

    BookmarkTree& tree_;
    ExchangeStatus& status_;
    std::vector<std::pair<const json*, BookmarkNode*>> pending_;
    std::vector<BookmarkNode*> roots_;
};

ExchangeStatus ParseInto(std::string_view text, BookmarkTree& tree, BookmarkNode& folder) {
    // The parser keeps its own stack, so deep nesting cannot overflow ours.
    json document = json::parse(text, nullptr, false);
    if (document.is_discarded()) return ExchangeStatus::Failed("not JSON, or cut short");
    if (!document.is_object()) return ExchangeStatus::Failed("not a bookmark file: no object at the top");
    auto roots = document.find("roots");
    if (roots == document.end() || !roots->is_object())
        return ExchangeStatus::Failed("not a bookmark file: no \"roots\" object");
    ExchangeStatus status;
    Reader reader(tree, status);
    for (const KnownRoot& known : kRoots) {
        auto root = roots->find(known.key);
        if (root != roots->end() && !reader.AddRoot(*root, known.key, known.name, folder)) return status;
    }
    // Roots that some browsers of the family add, under their own names.
    for (auto root = roots->begin(); root != roots->end(); ++root) {
        bool known = false;
        for (const KnownRoot& k : kRoots) known = known || root.key() == k.key;
        if (known || !root->is_object() || root->value("type", "") != "folder") continue;
        std::optional<std::string> name = StringMember(*root, "name");
        if (!reader.AddRoot(*root, root.key().c_str(), FromUtf8(name && !name->empty() ? *name : root.key()),
                            folder))
            return status;
    }
    reader.DropEmptyRoots();
    return status;
}

}  // namespace

ExchangeStatus ParseChromiumBookmarks(std::string_view json, BookmarkTree& tree, BookmarkNode& folder) {
    std::unique_ptr<BookmarkNode> scratch = tree.MakeScratchFolder();
    ExchangeStatus status;
    try {
        status = ParseInto(json, tree, *scratch);
    } catch (const std::exception& e) {
        status = ExchangeStatus::Failed(std::string("not a bookmark file of the expected form: ") + e.what());
    }
    if (status) {
        while (BookmarkNode* child = scratch->FirstChild()) folder.AppendChild(child->Detach());
    }
    return status;
}

}  // namespace fern
