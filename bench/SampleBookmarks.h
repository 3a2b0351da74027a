#pragma once
// A bookmark tree of realistic size for the benchmarks.
#include <cstdio>
#include <memory>

#include "lists/BookmarkNode.h"

namespace fern {

// 40 folders of 50 folders of 49 URLs and a separator: 102,041 nodes.
struct SampleBookmarks {
    std::unique_ptr<BookmarkNode> root =
        MakeBookmarkNode(kItemFolder, "Fern Browser BookMark", "", 112, 1, 1700000000);
    std::unique_ptr<BookmarkNode> trash = MakeBookmarkNode(kItemFolder, "ゴミ箱", "", 112, 1, 1700000000);
    SampleBookmarks() {
        char name[128], url[128];
        int n = 0;
        for (int i = 0; i < 40; ++i) {
            std::snprintf(name, sizeof name, "カテゴリ%d 表示ソフト", i);
            BookmarkNode* top = AddBookmarkNode(*root, kItemFolder, name, "", 112, 1, 1700000000 + i);
            for (int j = 0; j < 50; ++j) {
                std::snprintf(name, sizeof name, "フォルダ%d-%d", i, j);
                BookmarkNode* folder = AddBookmarkNode(*top, kItemFolder, name, "", 112, 1, 1700000000 + j);
                folder->desc = "フォルダのメモ";
                for (int k = 0; k < 49; ++k, ++n) {
                    std::snprintf(name, sizeof name, "ページの題名 %d ソフトウェア情報", n);
                    std::snprintf(url, sizeof url,
                                  "http://www.example.co.jp/software/info/page%07d.html?q=%d", n, k);
                    BookmarkNode* item =
                        AddBookmarkNode(*folder, kItemUrl, name, url, 112, 1, 1700000000 + n);
                    if (n % 3 == 0) item->desc = "一行目のメモ\x02\x02二行目のメモ";
                }
                AddBookmarkNode(*folder, kItemSeparator, "", "", 112, 1, 0);
            }
        }
    }
};

}  // namespace fern
