#include <glib.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <string>

#include "lists/TempFolder.h"
#include "platform/fs/FileIo.h"

using namespace fern;

TEST(FileIo, AtomicWriteKeepsLinksPermissionsAndFailsWhole) {
    fern::testing::TempFolder folder;
    const std::string& dir = folder.Path();
    std::string target = dir + "/real.ini", link = dir + "/link.ini";
    ASSERT_TRUE(WriteFileAtomic(target, "old"));
    chmod(target.c_str(), 0600);
    ASSERT_EQ(symlink(target.c_str(), link.c_str()), 0);

    ASSERT_TRUE(WriteFileAtomic(link, "new"));
    EXPECT_TRUE(g_file_test(link.c_str(), G_FILE_TEST_IS_SYMLINK));
    EXPECT_EQ(ReadWholeFile(target), "new");
    struct stat st {};
    ASSERT_EQ(stat(target.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0600u);

    std::string reason;
    EXPECT_FALSE(WriteFileAtomic(dir + "/missing/x.fbl", "data", &reason));
    EXPECT_FALSE(reason.empty());
    EXPECT_EQ(ReadWholeFile(dir), std::nullopt);  // a folder is not a file
    EXPECT_EQ(ReadWholeFile(dir + "/none"), std::nullopt);
}
