#include "notice/page_address.h"

#include <gtest/gtest.h>

namespace {

TEST(PageAddress, AcceptsWebPagesOnly) {
    EXPECT_TRUE(notice::IsWebAddress("http://127.0.0.1:8080/notice.html"));
    EXPECT_TRUE(notice::IsWebAddress("https://quelvo.example/pop/today.php?id=3#top"));
    EXPECT_TRUE(notice::IsWebAddress("HTTPS://QUELVO.EXAMPLE/"));
}

TEST(PageAddress, RefusesEverythingElse) {
    for (const char* address : {
             "",
             "file:///etc/passwd",
             "javascript:alert(1)",
             "JavaScript:alert(1)",
             "data:text/html,<script>alert(1)</script>",
             "about:blank",
             "ftp://quelvo.example/notice.txt",
             "/notice.html",
             "quelvo.example/notice.html",
             "http://",
             "http:///notice.html",
             " http://quelvo.example/",
             "http://quelvo example/",
         }) {
        EXPECT_FALSE(notice::IsWebAddress(QString::fromUtf8(address))) << address;
    }
}

}  // namespace
