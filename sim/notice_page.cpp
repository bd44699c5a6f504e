#include "sim/vendor_pages.h"

namespace sim {

QString NoticePage() {
    QString html = QStringLiteral(
        "<!DOCTYPE html>\n<html>\n<head><meta charset=\"utf-8\"><title>系统公告</title>\n"
        "<style>body{margin:0;padding:14px 28px 14px 16px;font-family:'Microsoft YaHei','WenQuanYi "
        "Micro Hei',"
        "sans-serif;font-size:12px;line-height:1.8;color:#333}h1{font-size:15px;color:#c00;"
        "margin:0 0 6px}</style></head>\n<body>\n<h1>Quelvo关键词助手V2.3 正式发布</h1>\n");
    // Short enough for the popup, which cannot scroll: its window leaves the page about 250 x 170
    // pixels.
    const QString paragraphs[] = {
        QStringLiteral("新增淘宝相关搜索挖掘；结果实时写入文本文件；数万条关键词也能流畅去重。"),
        QStringLiteral("意见和建议请点主界面的“反馈意见”告诉我们。"),
    };
    for (const QString& paragraph : paragraphs) {
        html += QStringLiteral("<div>") + paragraph + QStringLiteral("</div>\n");
    }
    html +=
        QStringLiteral("<div style=\"text-align:right\">Quelvo工作室</div>\n</body>\n</html>\n");
    return html;
}

}  // namespace sim
