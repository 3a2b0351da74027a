#include "privacy/SecurityZone.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace fern {
namespace {

TEST(SecurityZone, ZoneOfUrlFollowsTheHost) {
    const std::pair<int, std::vector<const char*>> zones[] = {
        {0, {"file:///home/a/x.html", "FILE:///C:/x"}},
        // Dots after the host do not count; the host is what follows a user name.
        {1,
         {"http://intranet/a.b/c", "http://localhost:8080/", "http://user:pw@wiki/", "http://127.0.0.1:5000/",
          "http://10.1.2.3/", "http://172.16.0.1/", "http://172.31.255.255/", "http://192.168.1.1/",
          "http://169.254.3.4/", "http://[::1]:80/", "http://[fd12:3456::1]/", "http://[FE80::1]/",
          "http://evil.com@10.0.0.1/"}},
        {3,
         {"https://example.com/", "http://172.32.0.1/", "http://192.169.0.1/", "http://8.8.8.8/",
          "http://10.1.2.3.example.com/", "http://[2001:db8::1]/", "http://10.0.0.1@evil.com/"}},
        {-1, {"", "about:blank", "http://", "http://[::1/", "no url", "http://[zz]/", "\x83\x5C://x"}},
    };
    for (const auto& [zone, urls] : zones)
        for (const char* url : urls) EXPECT_EQ(ZoneOfUrl(url), zone) << url;
}

}  // namespace
}  // namespace fern
