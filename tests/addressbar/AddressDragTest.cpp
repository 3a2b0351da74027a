#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <string>

#include "addressbar/AddressDrag.h"
#include "lists/TempFolder.h"
#include "platform/fs/FileIo.h"

using namespace fern;
using fern::testing::TempFolder;
using fern::testing::WriteBytes;

TEST(AddressDrag, ShortcutNameFromTheTitle) {
    EXPECT_EQ(AddressShortcutFileName("My%20Page", "http://a/"), "My Page.url");
    EXPECT_EQ(AddressShortcutFileName("a/b:c*?", "http://a/"), "a_b_c__.url");
    EXPECT_EQ(AddressShortcutFileName("", "http://a/b"), "http___a_b.url");
    EXPECT_EQ(AddressShortcutFileName(".hidden", "x"), "_.hidden.url");
    // At most 100 bytes before ".url", never half a character.
    std::string title = "x";
    for (int i = 0; i < 60; ++i) title += "ソ";
    std::string name = AddressShortcutFileName(title, "u");
    EXPECT_EQ(name.size(), 99u + 4u);
    EXPECT_EQ(name.substr(name.size() - 6), "ソ.url");
}

TEST(AddressDrag, CleaningRemovesOnlyShortcutsAndEmptiedFolders) {
    TempFolder dir;
    std::string temp = dir.File("~FBISTMP00");
    std::string outside = dir.File("outside");
    ASSERT_EQ(mkdir(temp.c_str(), 0700), 0);
    ASSERT_EQ(mkdir((temp + "/sub").c_str(), 0700), 0);
    ASSERT_EQ(mkdir((temp + "/keep").c_str(), 0700), 0);
    ASSERT_EQ(mkdir(outside.c_str(), 0700), 0);
    WriteBytes(temp + "/a.url", "x");
    WriteBytes(temp + "/B.URL", "x");
    WriteBytes(temp + "/sub/c.url", "x");
    WriteBytes(temp + "/keep/notes.txt", "x");
    WriteBytes(outside + "/d.url", "x");
    // A link to a folder elsewhere is not followed.
    ASSERT_EQ(symlink(outside.c_str(), (temp + "/link").c_str()), 0);

    EXPECT_EQ(CleanTempShortcuts(temp), 3);
    EXPECT_FALSE(IsDirectory(temp + "/sub"));
    EXPECT_TRUE(IsRegularFile(temp + "/keep/notes.txt"));
    EXPECT_TRUE(IsRegularFile(outside + "/d.url"));
    EXPECT_TRUE(IsDirectory(temp));

    // Once only shortcuts were there, the folder goes too.
    ASSERT_EQ(unlink((temp + "/link").c_str()), 0);
    ASSERT_EQ(unlink((temp + "/keep/notes.txt").c_str()), 0);
    WriteBytes(temp + "/e.url", "x");
    EXPECT_EQ(CleanTempShortcuts(temp), 1);
    EXPECT_FALSE(IsDirectory(temp));
    EXPECT_EQ(CleanTempShortcuts(temp), 0);
    EXPECT_EQ(CleanTempShortcuts(""), 0);
}
