#include "notice/page_address.h"

#include <gtest/gtest.h>

namespace {

TEST(PageAddress, OnlyAbsoluteWebAddressesWithAHostAsABrowserWouldOpenThem) {
    const struct {
        const char* address;
        const char* loaded;  // empty: refused
    } cases[] = {
        {"http://127.0.0.1:8080/notice.html", "http://127.0.0.1:8080/notice.html"},
        {"https://quelvo.example/pop/today.php?id=3#top",
         "https://quelvo.example/pop/today.php?id=3#top"},
        {"HTTPS://QUELVO.EXAMPLE/", "https://quelvo.example/"},
        {" \thttp://quelvo.example/\r\n", "http://quelvo.example/"},
        {"http://quelvo.example/公告 今日.html",
         "http://quelvo.example/%E5%85%AC%E5%91%8A%20%E4%BB%8A%E6%97%A5.html"},
        {"   ", ""},
        {"file:///etc/passwd", ""},
        {"javascript:alert(1)", ""},
        {"ftp://quelvo.example/notice.txt", ""},
        {"quelvo.example/notice.html", ""},
        {"http:///notice.html", ""},
        {"http://quelvo example/", ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(notice::WebPageUrl(QString::fromUtf8(c.address)).toEncoded(),
                  QByteArray(c.loaded))
            << c.address;
    }
}

}  // namespace
