#include <gtest/gtest.h>

#include "mining/block_signs.h"
#include "support/engine_pages.h"

using mining::Engine;

namespace {

struct Case {
    const char* what;
    Engine engine;
    int status;
    QList<QUrl> redirects;
    QString page;
    QString keyword;
    bool blocked;
};

QString Titled(const QString& title, const QString& body = {}) {
    return "<html><head><title>" + title + "</title></head><body>" + body + "</body></html>";
}

}  // namespace

TEST(BlockSigns, EachEnginesSignsAndOrdinaryPagesThatOnlyMentionTheWording) {
    const QString results = QString::fromUtf8(BaiduPage({"手机 价格"}));
    const Case cases[] = {
        {"403", Engine::Baidu, 403, {}, results, "k", true},
        {"429 without a body", Engine::Google, 429, {}, {}, "k", true},
        {"404 error page", Engine::Taobao, 404, {}, Titled("404"), "k", false},
        {"500 error page", Engine::Baidu, 500, {}, Titled("500"), "k", false},

        {"Baidu verification host",
         Engine::Baidu,
         200,
         {QUrl("https://wappass.baidu.com/static/captcha/tuxing.html?ak=1")},
         {},
         "k",
         true},
        {"Google sorry page",
         Engine::Google,
         200,
         {QUrl("https://www.google.com/sorry/index")},
         {},
         "k",
         true},
        {"Taobao sign-in",
         Engine::Taobao,
         200,
         {QUrl("https://login.taobao.com/member/login.jhtml?redirectURL=x")},
         {},
         "k",
         true},
        {"Taobao slider path",
         Engine::Taobao,
         200,
         {QUrl("https://s.taobao.com//search/_____tmd_____/punish?x5secdata=1")},
         {},
         "k",
         true},
        {"an ordinary redirect",
         Engine::Baidu,
         200,
         {QUrl("https://www.baidu.com/s?wd=k")},
         results,
         "k",
         false},
        {"another engine's sign",
         Engine::Baidu,
         200,
         {QUrl("https://www.baidu.com/sorry/index")},
         results,
         "k",
         false},

        {"Baidu's title", Engine::Baidu, 200, {}, Titled("百度安全验证"), "k", true},
        {"Google's wording",
         Engine::Google,
         200,
         {},
         Titled("Google", "我们的系统检测到您的计算机网络中存在异常流量。"),
         "k",
         true},
        {"Taobao's wording",
         Engine::Taobao,
         200,
         {},
         Titled("淘宝", "亲，请拖动下方滑块完成验证"),
         "k",
         true},
        {"the wording as the searched keyword",
         Engine::Baidu,
         200,
         {},
         Titled("百度安全验证_百度搜索", "<input value=\"百度安全验证\">"),
         "百度安全验证",
         false},
        {"the wording in a related keyword",
         Engine::Baidu,
         200,
         {},
         QString::fromUtf8(BaiduPage({"百度安全验证怎么关闭"})),
         "k",
         false},
    };
    for (const Case& c : cases) {
        const mining::EngineAnswer answer{c.status, c.redirects, c.page, c.keyword,
                                          mining::BaiduMarker()};
        EXPECT_EQ(mining::LooksBlocked(c.engine, answer), c.blocked) << c.what;
    }
}
