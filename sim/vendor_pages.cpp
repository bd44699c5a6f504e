#include "sim/vendor_pages.h"

#include <QLocale>

namespace sim {
namespace {

Reply Html(const QString& page) {
    return {200, QByteArrayLiteral("text/html; charset=utf-8"), page.toUtf8(), {}};
}

Reply Text(const QString& text) {
    return {200, QByteArrayLiteral("text/plain; charset=utf-8"), text.toUtf8(), {}};
}

}  // namespace

QString AnnouncementFeed(const QUrl& base, const QDate& today) {
    return QStringLiteral("系统公告#") + base.toString() + QStringLiteral("/notice.html#") +
           QLocale::system().toString(today, QLocale::ShortFormat) + u'#';
}

std::optional<Reply> DefaultVendorReply(const QString& key, const QUrl& base, const QDate& today) {
    if (key == QLatin1String("/api/pages/keywords.php?ver=2.0")) return Html(BannerPage());
    if (key == QLatin1String("/api/update/KeyWords.txt")) return Text(QStringLiteral("4"));
    if (key == QLatin1String("/api/pop/keywords.txt")) return Text(AnnouncementFeed(base, today));
    if (key == QLatin1String("/")) return Html(HomePage());
    if (key == QLatin1String("/feedback.php")) return Html(FeedbackPage());
    if (key == QLatin1String("/notice.html")) return Html(NoticePage());
    return std::nullopt;
}

QString HomePage() {
    return QStringLiteral(
        "<!DOCTYPE html>\n<html>\n<head><meta charset=\"utf-8\"><title>Quelvo关键词助手 - "
        "官方网站</title></head>\n<body style=\"font-family:sans-serif;margin:40px\">\n"
        "<h1>Quelvo关键词助手</h1>\n<div>免费的长尾关键词挖掘工具，支持百度、谷歌、淘宝三大"
        "搜索引擎的相关搜索。</div>\n<ul><li>当前版本：V2.3</li><li>更新日期：每月更新</li>"
        "<li><a href=\"/feedback.php\">反馈意见</a></li></ul>\n</body>\n</html>\n");
}

QString FeedbackPage() {
    return QStringLiteral(
        "<!DOCTYPE html>\n<html>\n<head><meta charset=\"utf-8\"><title>反馈意见</title></head>\n"
        "<body style=\"font-family:sans-serif;margin:40px\">\n<h1>反馈意见</h1>\n"
        "<form method=\"post\" action=\"/feedback.php\"><div>您的联系方式：<input "
        "name=\"contact\"></div><div>意见内容：</div><textarea name=\"content\" rows=\"8\" "
        "cols=\"60\"></textarea><div><button type=\"submit\">提交</button></div></form>\n"
        "<div><a href=\"/\">返回首页</a></div>\n</body>\n</html>\n");
}

}  // namespace sim
