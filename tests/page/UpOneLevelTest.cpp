#include <gtest/gtest.h>

#include "page/UpOneLevel.h"

using namespace fern;

TEST(UpOneLevel, WebAddresses) {
    EXPECT_EQ(UpOneLevelUrl("http://www.example.com/dir/page.html"), "http://www.example.com/dir");
    EXPECT_EQ(UpOneLevelUrl("http://www.example.com/dir/"), "http://www.example.com");
    EXPECT_EQ(UpOneLevelUrl("http://www.example.com/dir"), "http://www.example.com");
    EXPECT_EQ(UpOneLevelUrl("http://www.example.com/"), std::nullopt);  // ends inside "p://"
    EXPECT_EQ(UpOneLevelUrl("http://a/"), std::nullopt);                // too short
    EXPECT_EQ(UpOneLevelUrl("about:blank"), std::nullopt);
}

TEST(UpOneLevel, FileAddresses) {
    EXPECT_EQ(UpOneLevelUrl("file:///C:/dir/"), "C:");
    EXPECT_EQ(UpOneLevelUrl("file:///C:/dir/sub/a.html"), "C:/dir/sub");
    EXPECT_EQ(UpOneLevelUrl("file:///C:/"), "C:");
    EXPECT_EQ(UpOneLevelUrl("file:///home/user/a.html"), "file:///home/user");
    EXPECT_EQ(UpOneLevelUrl("file:///home/"), "file:///");
    EXPECT_EQ(UpOneLevelUrl("file:///"), std::nullopt);
    EXPECT_EQ(UpOneLevelUrl("file:///home/user/"), "file:///home");
}
