#include "options/OptionsPageTable.h"

#include <algorithm>

namespace fern {

namespace {

constexpr const char* kTitles[] = {
    "起動/終了",
    "起動/終了::スタートアップURL",
    "ブラウザ",
    "ブラウザ::その他",
    "ブラウザ::セキュリティ",
    "タブ/タブ バー",
    "タブ/タブ バー::表示",
    "アドレス バー",
    "ブックマーク",
    "リンク バー",
    "ファーン バー",
    "制止URL",
    "制止タイトル",
    "電子メール",
    "タスク トレイ",
};

constexpr char kSeparator[] = "::";

}  // namespace

std::span<const char* const> OptionsPageTitles() { return kTitles; }

int OptionsPageIndex(const std::string& title) {
    for (std::size_t i = 0; i < std::size(kTitles); ++i)
        if (title == kTitles[i]) return static_cast<int>(i);
    return -1;
}

std::vector<OptionsTreeNode> BuildOptionsTree(const std::vector<std::string>& titles) {
    std::vector<std::string> ordered = titles;
    std::stable_sort(ordered.begin(), ordered.end(), [](const std::string& a, const std::string& b) {
        int ia = OptionsPageIndex(a), ib = OptionsPageIndex(b);
        return (ia < 0 ? 1000 : ia) < (ib < 0 ? 1000 : ib);
    });
    std::vector<OptionsTreeNode> tree;
    for (const std::string& title : ordered) {
        // "::" holds no byte that can be the second of a Shift-JIS character.
        std::size_t split = title.find(kSeparator);
        if (split != std::string::npos) {
            std::string parent = title.substr(0, split);
            auto it = std::find_if(tree.begin(), tree.end(),
                                   [&](const OptionsTreeNode& n) { return n.title == parent; });
            if (it != tree.end()) {
                it->children.push_back({title, title.substr(split + 2), {}});
                continue;
            }
        }
        tree.push_back({title, title, {}});
    }
    return tree;
}

}  // namespace fern
