#include "notice/page_address.h"

#include <gtest/gtest.h>

namespace {

// What is loaded for each address; empty: refused.
TEST(PageAddress, OnlyAbsoluteWebAddressesWithAHostAsABrowserWouldOpenThem) {
    const std::pair<const char*, const char*> cases[] = {
        {"https://quelvo.example/pop.php?id=3#top", "https://quelvo.example/pop.php?id=3#top"},
        {"HTTPS://QUELVO.EXAMPLE/", "https://quelvo.example/"},
        {" \thttp://quelvo.example/\r\n", "http://quelvo.example/"},
        {"http://quelvo.example/公告 1", "http://quelvo.example/%E5%85%AC%E5%91%8A%201"},
        {"file:///etc/passwd", ""},
        {"ftp://quelvo.example/notice.txt", ""},
        {"quelvo.example/notice.html", ""},
        {"http:///notice.html", ""},
        {"http://quelvo example/", ""},
    };
    for (const auto& [address, loaded] : cases)
        EXPECT_EQ(notice::WebPageUrl(QString::fromUtf8(address)).toEncoded(), loaded) << address;
}

}  // namespace
