#include "sim/block_page.h"

#include "sim/page_text.h"

namespace sim {
namespace {

Reply HtmlReply(int status, const QString& page) {
    return {status, QByteArrayLiteral("text/html; charset=utf-8"), page.toUtf8(), {}};
}

QString Page(const QString& title, const QString& body) {
    return QStringLiteral("<!DOCTYPE html>\n<html>\n<head><meta charset=\"utf-8\"><title>") +
           title + QStringLiteral("</title></head>\n<body>\n") + body +
           QStringLiteral("\n</body>\n</html>\n");
}

Reply Redirect(const QUrl& base, const QString& pathAndQuery) {
    Reply reply{302, QByteArrayLiteral("text/html; charset=utf-8"), {}, {}};
    reply.location = base.toEncoded() + pathAndQuery.toUtf8();
    return reply;
}

QString BaiduVerification() {
    return Page(QStringLiteral("百度安全验证"),
                QStringLiteral("<div class=\"timeout-title\">网络不给力，请稍后重试</div>"
                               "<div class=\"passMod_header\">请完成下方验证后继续操作</div>"
                               "<div class=\"passMod_slide\"></div>"));
}

QString GoogleSorry() {
    return Page(QStringLiteral("Google"),
                QStringLiteral("<div>我们的系统检测到您的计算机网络中存在异常流量。"
                               "此网页用于确认这些请求是由您而不是自动程序发出的。</div>"
                               "<form id=\"captcha-form\" action=\"index\" method=\"post\">"
                               "<div id=\"recaptcha\"></div></form>"));
}

QString TaobaoSlider() {
    return Page(QStringLiteral("验证码拦截"),
                QStringLiteral("<div class=\"nc-container\">亲，请拖动下方滑块完成验证"
                               "</div><div>通过验证以确保正常访问</div>"));
}

}  // namespace

Reply BlockAnswer(Engine engine, const QUrl& base, const QString& keyword) {
    const QString back = QueryValue(keyword);
    switch (engine) {
        case Engine::Baidu:
            return Redirect(base,
                            QStringLiteral("/static/captcha/tuxing.html?ak=sim&backurl=") + back);
        case Engine::Google:
            return Redirect(base, QStringLiteral("/sorry/index?continue=") + back);
        case Engine::Taobao:
            break;
    }
    return HtmlReply(200, TaobaoSlider());
}

std::optional<Reply> VerificationPage(const QString& path) {
    if (path == QLatin1String("/static/captcha/tuxing.html"))
        return HtmlReply(200, BaiduVerification());
    if (path == QLatin1String("/sorry/index")) return HtmlReply(429, GoogleSorry());
    return std::nullopt;
}

}  // namespace sim
