#include "sim/reply.h"

#include <QString>

namespace sim {

Reply ErrorReply(int status) {
    const QString code = QString::number(status);
    const QString message = status == 404 ? QStringLiteral("您访问的页面不存在。")
                                          : QStringLiteral("服务暂时不可用，请稍后再试。");
    const QString html =
        QStringLiteral("<!DOCTYPE html>\n<html>\n<head><meta charset=\"utf-8\"><title>") + code +
        QStringLiteral(" 错误</title></head>\n<body><h1>") + code + QStringLiteral("</h1><div>") +
        message + QStringLiteral("</div></body>\n</html>\n");
    return {status, QByteArrayLiteral("text/html; charset=utf-8"), html.toUtf8(), {}};
}

}  // namespace sim
