#include "block_signs.h"

#include <QStringList>

namespace mining {

namespace {

// The signs, per engine, and why each is trusted.
//
// Every engine: HTTP 403 (refused) and 429 (too many requests) are what all three send a client
// they have stopped serving; an ordinary result page, even one for an odd keyword, is a 200.
//
// Redirects: an engine that wants a human sends the browser elsewhere before it shows anything,
// so a hop to one of these addresses is a block whatever the final page holds (or if it never
// loads):
//   Baidu  - its verification host wappass.baidu.com, or a path under /static/captcha/ (where
//            that host keeps its slider and picture puzzles);
//   Google - a path under /sorry/ (the "unusual traffic" page, on www.google.com or ipv4/ipv6
//            hosts), or the sign-in host accounts.google.com;
//   Taobao - the sign-in host login.taobao.com or its /member/login.jhtml, or a path holding
//            /_____tmd_____/punish (its slider page).
//
// Wording: the verification pages' own words, below. A result page shows the searched keyword in
// its title, search box and results, and related keywords behind the marker, so a keyword may
// carry these words too. The wording therefore counts only on a page without the related-search
// marker (a verification page has no results), and only outside every occurrence of the
// searched keyword.
struct Signs {
    QStringList hosts;
    QStringList paths;  // a redirect whose path holds one of these
    QStringList wording;
};

const Signs& SignsOf(Engine engine) {
    static const Signs baidu{
        {QStringLiteral("wappass.baidu.com")},
        {QStringLiteral("/static/captcha/")},
        {QStringLiteral("百度安全验证"), QStringLiteral("请完成下方验证后继续操作")}};
    static const Signs google{{QStringLiteral("accounts.google.com")},
                              {QStringLiteral("/sorry/")},
                              {QStringLiteral("unusual traffic from your computer network"),
                               QStringLiteral("您的计算机网络中存在异常流量")}};
    static const Signs taobao{
        {QStringLiteral("login.taobao.com")},
        {QStringLiteral("/member/login.jhtml"), QStringLiteral("/_____tmd_____/punish")},
        {QStringLiteral("验证码拦截"), QStringLiteral("请拖动下方滑块完成验证")}};
    switch (engine) {
        case Engine::Google:
            return google;
        case Engine::Taobao:
            return taobao;
        case Engine::Baidu:
            break;
    }
    return baidu;
}

bool RedirectedToVerification(const Signs& signs, const QList<QUrl>& redirects) {
    for (const QUrl& to : redirects) {
        if (signs.hosts.contains(to.host().toLower())) return true;
        const QString path = to.path();
        for (const QString& p : signs.paths)
            if (path.contains(p)) return true;
    }
    return false;
}

bool CarriesWording(const Signs& signs, const EngineAnswer& answer) {
    if (!answer.marker.isEmpty() && answer.page.contains(answer.marker)) return false;
    QString text = answer.page;
    if (!answer.keyword.isEmpty()) {
        text.remove(answer.keyword);
        text.remove(answer.keyword.toHtmlEscaped());
    }
    for (const QString& words : signs.wording)
        if (text.contains(words)) return true;
    return false;
}

}  // namespace

bool LooksBlocked(Engine engine, const EngineAnswer& answer) {
    if (answer.status == 403 || answer.status == 429) return true;
    const Signs& signs = SignsOf(engine);
    return RedirectedToVerification(signs, answer.redirects) || CarriesWording(signs, answer);
}

}  // namespace mining
