// The list editor's rules, on files in a temporary folder.
#include <gtest/gtest.h>

#include "lists/ModelessMain.h"
#include "lists/TempFolder.h"
#include "lists/UrlListFile.h"

using namespace fern;
using fern::testing::FifoInPlace;
using fern::testing::ReadBytes;
using fern::testing::TempFolder;
using fern::testing::WriteBytes;

namespace {

using Rows = std::vector<std::string>;

Rows ReadBack(const std::string& path) {
    Rows urls;
    EXPECT_TRUE(ReadUrlList(path, urls));
    return urls;
}

}  // namespace

TEST(ListEditor, SaveWritesTheNonEmptyRowsAndTheyReadBackRowForRow) {
    TempFolder folder;
    CModelessMain editor;
    editor.Add("http://a.example/");
    editor.Add();
    editor.Add("http://ソフト.example/表");  // trail bytes 0x5C
    editor.SetRow(1, "");
    EXPECT_TRUE(editor.Modified());
    EXPECT_EQ(editor.Save().kind, ListEditResult::Kind::NeedsPath);  // no file yet: ask for one
    EXPECT_TRUE(editor.Modified());

    std::string path = folder.File("list.fbl");
    ASSERT_TRUE(editor.SaveAs(path).Done());
    EXPECT_EQ(editor.Path(), path);
    EXPECT_FALSE(editor.Modified());
    EXPECT_EQ(ReadBack(path), (Rows{"http://a.example/", "http://ソフト.example/表"}));

    CModelessMain again;
    ASSERT_TRUE(again.Open(path).Done());
    EXPECT_EQ(again.Rows(), ReadBack(path));
    again.Delete(0);
    again.Delete(7);  // no such row: nothing happens
    ASSERT_TRUE(again.Save().Done());
    EXPECT_EQ(ReadBack(path), (Rows{"http://ソフト.example/表"}));
}

TEST(ListEditor, AddFromListTwiceDoublesTheEntriesAndKeepsTheFile) {
    TempFolder folder;
    std::string source = folder.File("source.fbl"), current = folder.File("current.fbl");
    ASSERT_TRUE(WriteUrlList(source, "urls", {"http://1/", "http://2/"}));
    ASSERT_TRUE(WriteUrlList(current, "urls", {"http://0/"}));
    CModelessMain editor;
    ASSERT_TRUE(editor.Open(current).Done());
    ASSERT_TRUE(editor.AddFromList(source).Done());
    ASSERT_TRUE(editor.AddFromList(source).Done());
    EXPECT_EQ(editor.Rows(), (Rows{"http://0/", "http://1/", "http://2/", "http://1/", "http://2/"}));
    EXPECT_EQ(editor.Path(), current);
    EXPECT_TRUE(editor.Modified());
}

TEST(ListEditor, FilesThatCannotBeReadChangeNothingAndAreTold) {
    TempFolder folder;
    std::string good = folder.File("good.fbl");
    ASSERT_TRUE(WriteUrlList(good, "urls", {"http://kept/"}));
    WriteBytes(folder.File("garbage.fbl"), std::string("\x89PNG\r\n\x1a\n\0\0binary", 16));
    WriteBytes(folder.File("text.txt"), "just some words\nno list here\n");
    WriteBytes(folder.File("empty.fbl"), "");
    FifoInPlace fifo(folder.File("fifo.fbl"));
    struct Case {
        const char* name;
        bool ok;
    } cases[] = {
        {"missing.fbl", false}, {"garbage.fbl", false}, {"text.txt", false}, {"fifo.fbl", false}, {"", false},
        {"empty.fbl", true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::string path = c.name[0] ? folder.File(c.name) : folder.Path();  // "" = a folder
        for (bool open : {true, false}) {
            CModelessMain editor;
            ASSERT_TRUE(editor.Open(good).Done());
            editor.Add("http://typed/");
            ListEditResult result = open ? editor.Open(path) : editor.AddFromList(path);
            EXPECT_EQ(result.Done(), c.ok);
            if (c.ok) continue;
            EXPECT_NE(result.message.find(path), std::string::npos) << result.message;
            EXPECT_EQ(editor.Rows(), (Rows{"http://kept/", "http://typed/"}));
            EXPECT_EQ(editor.Path(), good);
            EXPECT_TRUE(editor.Modified());
        }
    }
}

TEST(ListEditor, AFailedSaveKeepsTheEditsAndTheFile) {
    TempFolder folder;
    std::string good = folder.File("good.fbl");
    ASSERT_TRUE(WriteUrlList(good, "urls", {"http://old/"}));
    std::string before = ReadBytes(good);
    CModelessMain editor;
    ASSERT_TRUE(editor.Open(good).Done());
    editor.Add("http://new/");
    ListEditResult result = editor.SaveAs(folder.File("no/such/folder.fbl"));
    EXPECT_EQ(result.kind, ListEditResult::Kind::Failed);
    EXPECT_NE(result.message.find("保存できませんでした"), std::string::npos);
    EXPECT_EQ(editor.Path(), good);
    EXPECT_TRUE(editor.Modified());
    EXPECT_EQ(ReadBytes(good), before);
}

TEST(ListEditor, TheMenuHasItsTextsKeysAndPrompts) {
    std::vector<std::pair<int, std::string>> seen;
    for (const ListEditorCommand& c : ListEditorCommands()) seen.emplace_back(c.id, c.key);
    EXPECT_EQ(seen, (std::vector<std::pair<int, std::string>>{{32800, "Ctrl+O"},
                                                              {32804, "Ctrl+S"},
                                                              {32801, ""},
                                                              {32806, ""},
                                                              {32805, "Insert"},
                                                              {32802, "Delete"}}));
}
