// Importing a browser's bookmark export of 10,000 bookmarks: 20 folders of
// 10 subfolders of 50 bookmarks, Japanese names, ADD_DATE / LAST_VISIT /
// LAST_MODIFIED on every entry, an ICON data URI on every fifth bookmark and
// a separator closing each subfolder, as current browsers write it.
#include <benchmark/benchmark.h>
#include <stdlib.h>
#include <unistd.h>

#include <cstdio>
#include <string>

#include "bookmarks/BookmarkTree.h"
#include "bookmarks/exchange/Netscape.h"
#include "platform/fs/FileIo.h"
#include "platform/text/Encoding.h"

namespace {

using namespace fern;

constexpr int kTopFolders = 20;
constexpr int kSubfolders = 10;
constexpr int kBookmarksEach = 50;
constexpr int kBookmarks = kTopFolders * kSubfolders * kBookmarksEach;
constexpr std::uint32_t kNow = 1700000000;

// A small PNG as browsers embed it, about 800 bytes of base64.
std::string IconUri() {
    std::string uri = "data:image/png;base64,iVBORw0KGgoAAAANSUhEUgAAABAAAAAQCAYAAAAf8/9h";
    static const char kBase64[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    for (int i = 0; i < 740; ++i) uri += kBase64[(i * 37 + 11) % 64];
    return uri + "==";
}

// The export in Shift-JIS; `utf8` converts the names (the text is built in
// the program's Shift-JIS) and declares the charset as the browsers do.
std::string MakeExport(bool utf8) {
    auto text = [utf8](const char* sjis) { return utf8 ? ToUtf8(sjis) : std::string(sjis); };
    std::string icon = IconUri();
    std::string out =
        "<!DOCTYPE NETSCAPE-Bookmark-file-1>\n"
        "<!-- This is an automatically generated file.\n"
        "     It will be read and overwritten.\n"
        "     DO NOT EDIT! -->\n";
    out += utf8 ? "<META HTTP-EQUIV=\"Content-Type\" CONTENT=\"text/html; charset=UTF-8\">\n"
                : "<META HTTP-EQUIV=\"Content-Type\" CONTENT=\"text/html; charset=Shift_JIS\">\n";
    out += "<TITLE>Bookmarks</TITLE>\n<H1>Bookmarks</H1>\n<DL><p>\n";
    char line[512], name[160];
    int n = 0;
    for (int i = 0; i < kTopFolders; ++i) {
        std::snprintf(name, sizeof name, "カテゴリ%d 技術情報とソフトウェア", i);
        std::snprintf(line, sizeof line,
                      "    <DT><H3 ADD_DATE=\"%u\" LAST_MODIFIED=\"%u\">%s</H3>\n    <DL><p>\n",
                      kNow - 86400 * i, kNow, text(name).c_str());
        out += line;
        for (int j = 0; j < kSubfolders; ++j) {
            std::snprintf(name, sizeof name, "フォルダ%d-%d 開発メモ &amp; 資料", i, j);
            std::snprintf(line, sizeof line,
                          "        <DT><H3 ADD_DATE=\"%u\" LAST_MODIFIED=\"%u\">%s</H3>\n"
                          "        <DL><p>\n",
                          kNow - 3600 * j, kNow, text(name).c_str());
            out += line;
            for (int k = 0; k < kBookmarksEach; ++k, ++n) {
                std::snprintf(name, sizeof name, "ページの題名 %d ソフトウェア情報 - サイト名", n);
                std::snprintf(line, sizeof line,
                              "            <DT><A HREF=\"https://www.example.co.jp/software/"
                              "info/page%07d.html?q=%d&amp;lang=ja\" ADD_DATE=\"%u\" "
                              "LAST_VISIT=\"%u\" LAST_MODIFIED=\"%u\"",
                              n, k, kNow - n, kNow - n / 2, kNow - n / 3);
                out += line;
                if (n % 5 == 0) out += " ICON=\"" + icon + "\"";
                out += ">" + text(name) + "</A>\n";
            }
            out += "            <HR>\n        </DL><p>\n";
        }
        out += "    </DL><p>\n";
    }
    out += "</DL><p>\n";
    return out;
}

// The two exports in a temporary folder, removed at exit.
struct ExportFiles {
    std::string folder, utf8Path, sjisPath;
    std::size_t utf8Bytes = 0, sjisBytes = 0;
    bool ok = false;
    ExportFiles() {
        char name[] = "/tmp/fern-bench-XXXXXX";
        if (!mkdtemp(name)) return;
        folder = name;
        utf8Path = folder + "/bookmarks-utf8.html";
        sjisPath = folder + "/bookmarks-sjis.html";
        std::string utf8 = MakeExport(true), sjis = MakeExport(false);
        utf8Bytes = utf8.size();
        sjisBytes = sjis.size();
        ok = WriteFileAtomic(utf8Path, utf8) && WriteFileAtomic(sjisPath, sjis);
    }
    ~ExportFiles() {
        unlink(utf8Path.c_str());
        unlink(sjisPath.c_str());
        rmdir(folder.c_str());
    }
};

const ExportFiles& Files() {
    static ExportFiles files;
    return files;
}

// One import into a new tree: reading the file, parsing, pasting into the
// root, and freeing the tree again.
void ImportFile(benchmark::State& state, const std::string& path, std::size_t bytes) {
    if (!Files().ok) state.SkipWithError("setup failed");
    std::size_t imported = 0;
    for (auto _ : state) {
        BookmarkTree tree(BookmarkOptions{}, [] { return kNow; });
        ExchangeStatus status = ImportNetscape(path, tree, nullptr);
        if (!status) state.SkipWithError("import failed");
        imported = status.imported;
        benchmark::DoNotOptimize(tree.Root().FirstChild());
    }
    // 10,000 bookmarks, 220 folders and 200 separators, the names read in
    // the program's Shift-JIS whichever the file's code.
    if (imported != kBookmarks + kTopFolders * (kSubfolders + 1) + kTopFolders * kSubfolders)
        state.SkipWithError("wrong node count");
    BookmarkTree tree(BookmarkOptions{}, [] { return kNow; });
    ImportNetscape(path, tree, nullptr);
    const BookmarkNode* first = tree.Root().FirstChild();
    for (int depth = 0; depth < 2 && first; ++depth) first = first->FirstChild();
    if (!first || first->name != "ページの題名 0 ソフトウェア情報 - サイト名")
        state.SkipWithError("names not read as written");
    state.counters["nodes"] = static_cast<double>(imported);
    state.counters["bytes"] = static_cast<double>(bytes);
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes));
}

void BM_ImportNetscape10000Utf8(benchmark::State& state) {
    ImportFile(state, Files().utf8Path, Files().utf8Bytes);
}
BENCHMARK(BM_ImportNetscape10000Utf8)->Unit(benchmark::kMillisecond);

void BM_ImportNetscape10000Sjis(benchmark::State& state) {
    ImportFile(state, Files().sjisPath, Files().sjisBytes);
}
BENCHMARK(BM_ImportNetscape10000Sjis)->Unit(benchmark::kMillisecond);

}  // namespace
