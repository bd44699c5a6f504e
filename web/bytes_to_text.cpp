#include <QStringDecoder>

#include "mod_http.h"

namespace web {

namespace {

// GBK is a superset of GB2312; the platform converter may only know GB18030, which decodes every
// GBK byte sequence the same way.
QStringDecoder ChineseDecoder() {
    QStringDecoder gbk("GBK");
    if (gbk.isValid()) return gbk;
    return QStringDecoder("GB18030");
}

QByteArray CharsetOf(const QByteArray& contentType) {
    for (const QByteArray& part : contentType.split(';')) {
        const QByteArray p = part.trimmed();
        if (p.toLower().startsWith("charset=")) {
            QByteArray value = p.mid(8).trimmed();
            if (value.size() >= 2 && value.startsWith('"') && value.endsWith('"'))
                value = value.mid(1, value.size() - 2);
            return value;
        }
    }
    return {};
}

}  // namespace

QString BytesToText(const QByteArray& body) {
    if (IsUtf8(body)) {
        QStringDecoder utf8(QStringDecoder::Utf8);
        return utf8.decode(body);
    }
    QStringDecoder gbk = ChineseDecoder();
    return gbk.decode(body);
}

QString PageText(const QByteArray& body, const QByteArray& contentType) {
    const QByteArray charset = CharsetOf(contentType).toLower();
    // Invalid bytes become U+FFFD: one bad byte must not turn a whole UTF-8 page into mojibake.
    if (charset == "utf-8" || charset == "utf8")
        return QStringDecoder(QStringDecoder::Utf8).decode(body);
    // As browsers do, every one of these labels is read by the decoder of the largest of them.
    if (charset == "gbk" || charset == "gb2312" || charset == "gb18030")
        return QStringDecoder("GB18030").decode(body);
    return BytesToText(body);
}

QString ResponseText(const QByteArray& body, const QByteArray& contentType) {
    const QByteArray charset = CharsetOf(contentType);
    if (!charset.isEmpty()) {
        QStringDecoder named(charset.constData());
        if (named.isValid()) return named.decode(body);
    }
    QStringDecoder utf8(QStringDecoder::Utf8);
    return utf8.decode(body);
}

}  // namespace web
