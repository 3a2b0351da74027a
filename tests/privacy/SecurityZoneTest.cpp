#include "privacy/SecurityZone.h"

#include <gtest/gtest.h>

namespace fern {
namespace {

TEST(SecurityZone, ZoneOfUrlFollowsTheHost) {
    EXPECT_EQ(ZoneOfUrl("file:///home/a/x.html"), 0);
    EXPECT_EQ(ZoneOfUrl("FILE:///C:/x"), 0);

    EXPECT_EQ(ZoneOfUrl("http://intranet/a.b/c"), 1);  // dots after the host do not count
    EXPECT_EQ(ZoneOfUrl("http://localhost:8080/"), 1);
    EXPECT_EQ(ZoneOfUrl("http://user:pw@wiki/"), 1);
    EXPECT_EQ(ZoneOfUrl("http://127.0.0.1:5000/"), 1);
    EXPECT_EQ(ZoneOfUrl("http://10.1.2.3/"), 1);
    EXPECT_EQ(ZoneOfUrl("http://172.16.0.1/"), 1);
    EXPECT_EQ(ZoneOfUrl("http://172.31.255.255/"), 1);
    EXPECT_EQ(ZoneOfUrl("http://192.168.1.1/"), 1);
    EXPECT_EQ(ZoneOfUrl("http://169.254.3.4/"), 1);
    EXPECT_EQ(ZoneOfUrl("http://[::1]:80/"), 1);
    EXPECT_EQ(ZoneOfUrl("http://[fd12:3456::1]/"), 1);
    EXPECT_EQ(ZoneOfUrl("http://[FE80::1]/"), 1);

    EXPECT_EQ(ZoneOfUrl("https://example.com/"), 3);
    EXPECT_EQ(ZoneOfUrl("http://172.32.0.1/"), 3);
    EXPECT_EQ(ZoneOfUrl("http://192.169.0.1/"), 3);
    EXPECT_EQ(ZoneOfUrl("http://8.8.8.8/"), 3);
    EXPECT_EQ(ZoneOfUrl("http://10.1.2.3.example.com/"), 3);
    EXPECT_EQ(ZoneOfUrl("http://[2001:db8::1]/"), 3);
    EXPECT_EQ(ZoneOfUrl("http://evil.com@10.0.0.1/"), 1);
    EXPECT_EQ(ZoneOfUrl("http://10.0.0.1@evil.com/"), 3);

    EXPECT_EQ(ZoneOfUrl(""), -1);
    EXPECT_EQ(ZoneOfUrl("about:blank"), -1);
    EXPECT_EQ(ZoneOfUrl("http://"), -1);
    EXPECT_EQ(ZoneOfUrl("http://[::1/"), -1);
    EXPECT_EQ(ZoneOfUrl("no url"), -1);
    EXPECT_EQ(ZoneOfUrl("http://[zz]/"), -1);
    EXPECT_EQ(ZoneOfUrl("\x83\x5C://x"), -1);
}

}  // namespace
}  // namespace fern
