#include "sim/vendor_pages.h"

namespace sim {

QString BannerPage() {
    QString html = QStringLiteral(
        "<!DOCTYPE html>\n<html>\n<head><meta charset=\"utf-8\"><title>Quelvo关键词助手</title>\n"
        "<style>\n"
        // The window shows the band alone: it fills the view, whatever the font's height.
        "body{margin:0;font-family:'Microsoft YaHei','WenQuanYi Micro Hei',sans-serif}\n"
        ".band{width:100%;min-height:100vh;box-sizing:border-box;padding:14px 24px;color:#fff;"
        "background:linear-gradient(90deg,#1e63c9,#36a3f7)}\n"
        ".band h1{margin:0;font-size:22px}.band p{margin:4px 0 0;font-size:13px}\n"
        ".cards{width:100%;display:flex;flex-wrap:wrap;gap:12px;padding:16px 24px;"
        "box-sizing:border-box}\n"
        ".card{flex:1 1 200px;min-height:140px;border:1px solid #d6e4f5;border-radius:6px;"
        "padding:12px;background:#f7fbff}\n"
        ".card h2{margin:0 0 6px;font-size:15px;color:#1e63c9}.card div{font-size:12px;"
        "color:#555;line-height:1.7}\n"
        ".more{width:100%;padding:0 24px 24px;box-sizing:border-box;font-size:12px;color:#666}\n"
        "</style></head>\n<body>\n"
        "<div class=\"band\"><h1>Quelvo关键词助手 — 一键挖掘海量长尾关键词</h1>"
        "<p>百度、谷歌、淘宝相关搜索全覆盖，站长与电商运营的得力助手。</p></div>\n"
        "<div class=\"cards\">\n");
    const QString cards[][2] = {
        {QStringLiteral("多引擎挖掘"),
         QStringLiteral("输入一个关键词，自动逐层展开相关搜索，百度、谷歌、淘宝任选。")},
        {QStringLiteral("智能去重"),
         QStringLiteral("已挖掘的关键词不会重复出现，结果列表干净整洁。")},
        {QStringLiteral("实时保存"),
         QStringLiteral("设置保存路径后，每挖到一个新词就写入文本文件，不怕意外中断。")},
        {QStringLiteral("关键词过滤"),
         QStringLiteral("只保留包含源关键词的结果，让长尾词更精准。")},
        {QStringLiteral("站长Quelvo6"),
         QStringLiteral("体验功能更强大的站长Quelvo6：排名查询、收录监控、外链分析。")},
        {QStringLiteral("免费使用"),
         QStringLiteral("本软件永久免费，欢迎反馈意见，我们会持续改进。")},
    };
    for (const auto& card : cards) {
        html += QStringLiteral("<div class=\"card\"><h2>") + card[0] +
                QStringLiteral("</h2><div>") + card[1] + QStringLiteral("</div></div>\n");
    }
    html += QStringLiteral(
        "</div>\n<div class=\"more\"><div>更新日志：</div><ul>"
        "<li>V2.3：新增淘宝相关搜索挖掘，优化挖掘速度。</li>"
        "<li>V2.2：支持结果实时保存到文本文件。</li>"
        "<li>V2.1：新增关键词过滤功能。</li>"
        "<li>V2.0：全新界面，支持谷歌相关搜索。</li>"
        "<li>V1.0：首个版本发布。</li></ul></div>\n</body>\n</html>\n");
    return html;
}

}  // namespace sim
