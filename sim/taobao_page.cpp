#include "sim/engine_page.h"
#include "sim/page_text.h"

namespace sim {
namespace {

QString ResultItems(const QString& query) {
    const QString q = Html(query);
    const QString titles[] = {
        QStringLiteral("【官方正品】") + q + QStringLiteral(" 新款现货 包邮"),
        q + QStringLiteral(" 2024新款 旗舰店 品质保障"),
        QStringLiteral("热销") + q + QStringLiteral(" 厂家直销 支持七天无理由退换"),
        q + QStringLiteral(" 特价清仓 限时抢购"),
        QStringLiteral("爆款") + q + QStringLiteral(" 好评如潮 顺丰发货"),
        q + QStringLiteral(" 礼盒装 送礼佳品"),
    };
    QString html;
    int id = 1;
    const unsigned seed = StableNumber(query);
    for (const QString& title : titles) {
        const unsigned price = seed % 900 + 19 + 37u * static_cast<unsigned>(id);
        html += QStringLiteral("<div class=\"item J_MouserOnverReq\" data-index=\"") +
                QString::number(id) + QStringLiteral("\"><div class=\"pic\"><img src=\"/img/") +
                QString::number(seed % 100000 * 10 + id) +
                QStringLiteral(
                    ".jpg\" alt=\"\"></div><div class=\"price\"><span>&yen;</span><strong>") +
                QString::number(price) +
                QStringLiteral(".00</strong></div><div class=\"deal-cnt\">") +
                QString::number((seed >> 8) % 5000 + static_cast<unsigned>(id) * 13) +
                QStringLiteral("人付款</div><div class=\"title\"><a href=\"/item.htm?id=") +
                QString::number(seed % 100000 * 10 + id) + QStringLiteral("\" target=\"_blank\">") +
                title + QStringLiteral("</a></div><div class=\"shop\">") +
                QStringLiteral("优选店铺</div></div>\n");
        ++id;
    }
    return html;
}

// Related searches are list items whose anchors carry a tracking attribute.
QString RelatedList(const QStringList& related) {
    QString html = QStringLiteral(
        "<div class=\"m-related\"><span class=\"label\">您是不是想找：</span><ul>\n");
    for (const QString& keyword : related) {
        html += QStringLiteral("<li><a trace=\"relatedSearch\" href=\"/search?q=") +
                QueryValue(keyword) + QStringLiteral("\">") + Html(keyword) +
                QStringLiteral("</a></li>\n");
    }
    return html + QStringLiteral("</ul></div>\n");
}

}  // namespace

QString TaobaoPage(const QString& query, const QStringList& related,
                   const QByteArray& charsetLabel) {
    const QString q = Html(query);
    QString html = QStringLiteral("<!DOCTYPE html>\n<html>\n<head>\n<meta charset=\"") +
                   QString::fromLatin1(charsetLabel) + QStringLiteral("\">\n<title>") + q +
                   QStringLiteral(
                       "_淘宝搜索</title>\n<style>body{font:12px tahoma,arial;margin:0}"
                       ".item{display:inline-block;width:220px;vertical-align:top}"
                       ".m-related li{display:inline;margin-right:12px}</style>\n</head>\n"
                       "<body>\n<div class=\"search-bar\"><form action=\"/search\" "
                       "name=\"search\"><input id=\"q\" name=\"q\" aria-label=\"请输入搜索文字\" "
                       "autocomplete=\"off\" value=\"") +
                   q +
                   QStringLiteral(
                       "\"><button type=\"submit\">搜索</button></form></div>\n"
                       "<div class=\"m-sortbar\"><span>综合排序</span> <span>销量</span> "
                       "<span>价格</span></div>\n");
    html += RelatedList(related);
    html += QStringLiteral("<div class=\"m-itemlist\">\n");
    html += ResultItems(query);
    html += QStringLiteral(
        "</div>\n<div class=\"m-page\"><span class=\"current\">1</span> <span>2</span> "
        "<span>3</span> <span>下一页</span></div>\n</body>\n</html>\n");
    return html;
}

}  // namespace sim
