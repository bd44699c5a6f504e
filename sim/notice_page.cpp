#include "sim/vendor_pages.h"

namespace sim {

QString NoticePage() {
    QString html = QStringLiteral(
        "<!DOCTYPE html>\n<html>\n<head><meta charset=\"utf-8\"><title>系统公告</title>\n"
        "<style>body{margin:0;padding:14px 28px 14px 16px;font-family:'Microsoft YaHei','WenQuanYi "
        "Micro Hei',"
        "sans-serif;font-size:12px;line-height:1.8;color:#333}h1{font-size:15px;color:#c00;"
        "margin:0 0 6px}</style></head>\n<body>\n<h1>Quelvo关键词助手V2.3 正式发布</h1>\n");
    const QString paragraphs[] = {
        QStringLiteral("感谢您一直以来对Quelvo关键词助手的支持！新版本在挖掘速度和稳定性上都有了"
                       "明显提升。"),
        QStringLiteral("一、新增淘宝相关搜索挖掘，电商卖家可以轻松找到买家常搜的长尾词。"),
        QStringLiteral(
            "二、挖掘结果实时写入文本文件，即使中途关闭程序，已挖到的关键词也不会丢失。"),
        QStringLiteral("三、优化去重算法，数万条关键词也能流畅挖掘。"),
        QStringLiteral("四、修复了部分关键词含有特殊符号时无法挖掘的问题。"),
        QStringLiteral("五、界面细节优化，挖掘进度一目了然。"),
        QStringLiteral("使用中遇到任何问题，欢迎通过主界面的“反馈意见”告诉我们。"),
        QStringLiteral("想要排名查询、收录监控等更多功能？欢迎体验站长Quelvo6。"),
        QStringLiteral("祝您工作顺利！"),
    };
    for (const QString& paragraph : paragraphs) {
        html += QStringLiteral("<div>") + paragraph + QStringLiteral("</div>\n");
    }
    html +=
        QStringLiteral("<div style=\"text-align:right\">Quelvo工作室</div>\n</body>\n</html>\n");
    return html;
}

}  // namespace sim
