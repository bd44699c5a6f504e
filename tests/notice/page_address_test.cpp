#include "notice/page_address.h"

#include <gtest/gtest.h>

namespace {

TEST(PageAddress, OnlyAbsoluteWebAddressesWithAHost) {
    for (const char* address :
         {"http://127.0.0.1:8080/notice.html", "https://quelvo.example/pop/today.php?id=3#top",
          "HTTPS://QUELVO.EXAMPLE/"}) {
        EXPECT_TRUE(notice::IsWebAddress(QString::fromUtf8(address))) << address;
    }
    for (const char* address :
         {"", "file:///etc/passwd", "javascript:alert(1)", "data:text/html,<script>x</script>",
          "about:blank", "ftp://quelvo.example/notice.txt", "/notice.html",
          "quelvo.example/notice.html", "http://", "http:///notice.html", " http://quelvo.example/",
          "http://quelvo example/"}) {
        EXPECT_FALSE(notice::IsWebAddress(QString::fromUtf8(address))) << address;
    }
}

}  // namespace
