#include <gtest/gtest.h>

#include <tuple>

#include "mining/block_signs.h"
#include "support/engine_pages.h"

using mining::Engine;

namespace {

bool Blocked(Engine engine, int status, const QString& page, const QString& keyword = "k",
             const QList<QUrl>& redirects = {}) {
    return mining::LooksBlocked(engine, {status, redirects, page, keyword, "<th><a href="});
}

QString Titled(const QString& title, const QString& body = {}) {
    return "<html><head><title>" + title + "</title></head><body>" + body + "</body></html>";
}

}  // namespace

TEST(BlockSigns, StatusesAndWordingButNotAKeywordThatCarriesTheWording) {
    const QString results = QString::fromUtf8(BaiduPage({"手机 价格"}));
    EXPECT_TRUE(Blocked(Engine::Baidu, 403, results));
    EXPECT_TRUE(Blocked(Engine::Google, 429, {}));
    EXPECT_FALSE(Blocked(Engine::Taobao, 404, Titled("404")));
    EXPECT_FALSE(Blocked(Engine::Baidu, 500, Titled("500")));

    EXPECT_TRUE(Blocked(Engine::Baidu, 200, Titled("百度安全验证")));
    EXPECT_TRUE(Blocked(Engine::Google, 200,
                        Titled("Google", "我们的系统检测到您的计算机网络中存在异常流量。")));
    EXPECT_TRUE(Blocked(Engine::Taobao, 200, Titled("淘宝", "亲，请拖动下方滑块完成验证")));
    // Another engine's wording is not this engine's block page.
    EXPECT_FALSE(Blocked(Engine::Google, 200, Titled("验证码拦截")));

    // The wording as the searched keyword, echoed in the title and the search box.
    EXPECT_FALSE(Blocked(Engine::Baidu, 200,
                         Titled("百度安全验证_百度搜索", "<input value=\"百度安全验证\">"),
                         "百度安全验证"));
    // The wording in a related keyword: the page holds the marker, so it has results.
    EXPECT_FALSE(
        Blocked(Engine::Baidu, 200, QString::fromUtf8(BaiduPage({"百度安全验证怎么关闭"}))));
}

TEST(BlockSigns, RedirectsToVerificationOrSignIn) {
    const std::tuple<Engine, const char*, bool> cases[] = {
        {Engine::Baidu, "https://wappass.baidu.com/static/captcha/tuxing.html?ak=1", true},
        {Engine::Baidu, "http://127.0.0.1:9/static/captcha/tuxing.html", true},
        {Engine::Google, "https://www.google.com/sorry/index?continue=x", true},
        {Engine::Google, "https://accounts.google.com/ServiceLogin", true},
        {Engine::Taobao, "https://login.taobao.com/member/login.jhtml?redirectURL=x", true},
        {Engine::Taobao, "https://s.taobao.com//search/_____tmd_____/punish?x5secdata=1", true},
        {Engine::Baidu, "https://www.baidu.com/s?wd=k", false},       // http to https
        {Engine::Baidu, "https://www.baidu.com/sorry/index", false},  // Google's sign
    };
    for (const auto& [engine, to, blocked] : cases)
        EXPECT_EQ(Blocked(engine, 200, {}, "k", {QUrl(to)}), blocked) << to;
}
