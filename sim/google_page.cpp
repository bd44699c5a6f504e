#include "sim/engine_page.h"
#include "sim/page_text.h"

namespace sim {
namespace {

QString ResultItems(const QString& query) {
    const QString q = Html(query);
    const QString titles[] = {
        q + QStringLiteral(" - 维基百科，自由的百科全书"),
        q + QStringLiteral("价格、参数与评测 - 科技频道"),
        QStringLiteral("如何选购") + q + QStringLiteral("？看完这篇就够了"),
        q + QStringLiteral("_图片_新闻 - 资讯"),
    };
    QString html;
    int id = 1;
    for (const QString& title : titles) {
        html += QStringLiteral("<div class=\"g\"><div class=\"yuRUbf\"><a href=\"/url?q=") +
                QString::number(StableNumber(query) % 100000 * 10 + id) +
                QStringLiteral("\"><h3 class=\"LC20lb\">") + title +
                QStringLiteral("</h3></a></div><div class=\"VwiC3b\"><span>") + q +
                QStringLiteral("的相关介绍、使用心得与常见问题，帮助您全面了解") + q +
                QStringLiteral("。</span></div></div>\n");
        ++id;
    }
    return html;
}

// Related searches are plain paragraphs, each holding one anchor.
QString RelatedSection(const QString& query, const QStringList& related) {
    QString html = QStringLiteral("<div id=\"botstuff\"><div class=\"card-section\"><h3>与“") +
                   Html(query) + QStringLiteral("”相关的搜索</h3>\n");
    for (const QString& keyword : related) {
        html += QStringLiteral("<p><a href=\"/search?hl=zh-CN&amp;q=") + QueryValue(keyword) +
                QStringLiteral("\">") + Html(keyword) + QStringLiteral("</a></p>\n");
    }
    return html + QStringLiteral("</div></div>\n");
}

}  // namespace

QString GooglePage(const QString& query, const QStringList& related,
                   const QByteArray& charsetLabel) {
    const QString q = Html(query);
    QString html =
        QStringLiteral("<!doctype html>\n<html lang=\"zh-CN\">\n<head>\n<meta charset=\"") +
        QString::fromLatin1(charsetLabel) + QStringLiteral("\">\n<title>") + q +
        QStringLiteral(
            " - Google 搜索</title>\n<style>body{font-family:arial,sans-serif;margin:0}"
            ".g{margin-bottom:26px}</style>\n</head>\n<body>\n<div id=\"searchform\">"
            "<form action=\"/search\" role=\"search\"><input type=\"hidden\" name=\"hl\" "
            "value=\"zh-CN\"><input class=\"gLFyf\" name=\"q\" type=\"text\" "
            "title=\"搜索\" value=\"") +
        q +
        QStringLiteral(
            "\"><button type=\"submit\" aria-label=\"Google 搜索\">搜索</button></form>"
            "</div>\n<div id=\"result-stats\">找到约 ") +
        QString::number(StableNumber(query) % 90000000 + 100000) +
        QStringLiteral(" 条结果</div>\n<div id=\"search\">\n");
    html += ResultItems(query);
    html += QStringLiteral("</div>\n");
    html += RelatedSection(query, related);
    html += QStringLiteral(
        "<div id=\"foot\"><span>上一页</span> <span>1</span> <span>下一页</span></div>\n"
        "<footer><span>隐私权</span> <span>条款</span></footer>\n</body>\n</html>\n");
    return html;
}

}  // namespace sim
