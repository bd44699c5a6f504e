#include "sim/engine_page.h"
#include "sim/page_text.h"

namespace sim {
namespace {

QString ResultItems(const QString& query) {
    const QString q = Html(query);
    const QString titles[] = {
        q + QStringLiteral("_百科"),
        q + QStringLiteral("最新报价_参数_图片大全"),
        q + QStringLiteral("哪个好？看看网友怎么说 - 问答"),
        QStringLiteral("【") + q + QStringLiteral("】相关资讯_新闻"),
        q + QStringLiteral("_相关视频"),
    };
    QString html;
    int id = 1;
    for (const QString& title : titles) {
        html += QStringLiteral("<div class=\"result c-container\" id=\"") + QString::number(id) +
                QStringLiteral("\"><h3 class=\"t\"><a href=\"/link?url=") +
                QString::number(StableNumber(query) % 100000 * 10 + id) +
                QStringLiteral("\" target=\"_blank\">") + title +
                QStringLiteral("</a></h3><div class=\"c-abstract\">关于“") + q +
                QStringLiteral("”的最新信息，为您提供") + q +
                QStringLiteral(
                    "的全面介绍，更多详情请点击查看……</div><div class=\"f13\"><span "
                    "class=\"c-showurl\">www.example.com/") +
                QString::number(id) + QStringLiteral("</span></div></div>\n");
        ++id;
    }
    return html;
}

// Related searches stand three to a row, each keyword the anchor of a header cell.
QString RelatedTable(const QStringList& related) {
    QString html = QStringLiteral(
        "<div id=\"rs\"><div class=\"tt\">相关搜索</div><table cellpadding=\"0\"><tbody>\n");
    for (qsizetype i = 0; i < related.size(); ++i) {
        if (i % 3 == 0) html += QStringLiteral("<tr>");
        html += QStringLiteral("<th><a href=\"/s?wd=") + QueryValue(related[i]) +
                QStringLiteral("\">") + Html(related[i]) + QStringLiteral("</a></th>");
        html += (i % 3 == 2 || i + 1 == related.size()) ? QStringLiteral("</tr>\n")
                                                        : QStringLiteral("<td></td>");
    }
    return html + QStringLiteral("</tbody></table></div>\n");
}

}  // namespace

QString BaiduPage(const QString& query, const QStringList& related,
                  const QByteArray& charsetLabel) {
    const QString q = Html(query);
    QString html =
        QStringLiteral(
            "<!DOCTYPE html>\n<html>\n<head>\n<meta http-equiv=\"Content-Type\" "
            "content=\"text/html;charset=") +
        QString::fromLatin1(charsetLabel) + QStringLiteral("\">\n<title>") + q +
        QStringLiteral(
            "_百度搜索</title>\n<style>body{font:13px arial;margin:0}"
            "#rs th{font-weight:normal;text-align:left;padding-right:20px}</style>\n"
            "</head>\n<body>\n<div id=\"head\"><div class=\"s_form\">"
            "<a href=\"/\" id=\"result_logo\">百度首页</a>"
            "<form name=\"f\" id=\"form\" action=\"/s\"><input type=\"text\" "
            "class=\"s_ipt\" name=\"wd\" id=\"kw\" maxlength=\"255\" "
            "autocomplete=\"off\" value=\"") +
        q +
        QStringLiteral(
            "\"><input type=\"submit\" id=\"su\" value=\"百度一下\"></form></div>"
            "</div>\n<div id=\"container\">\n<div class=\"nums\">百度为您找到相关结果约") +
        QString::number(StableNumber(query) % 90000000 + 100000) +
        QStringLiteral("个</div>\n<div id=\"content_left\">\n");
    html += ResultItems(query);
    html += QStringLiteral("</div>\n");
    html += RelatedTable(related);
    const QString next = QStringLiteral("/s?wd=") + QueryValue(query) + QStringLiteral("&amp;pn=");
    html += QStringLiteral("<div id=\"page\"><strong><span class=\"pc\">1</span></strong>");
    for (int page = 2; page <= 5; ++page) {
        html += QStringLiteral("<a href=\"") + next + QString::number((page - 1) * 10) +
                QStringLiteral("\"><span class=\"pc\">") + QString::number(page) +
                QStringLiteral("</span></a>");
    }
    html += QStringLiteral("<a href=\"") + next +
            QStringLiteral(
                "10\" class=\"n\">下一页&gt;</a></div>\n"
                "</div>\n<div id=\"foot\">&copy;百度 "
                "使用百度前必读</div>\n</body>\n</html>\n");
    return html;
}

}  // namespace sim
