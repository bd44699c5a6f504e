#include "sim/body_charset.h"

#include <QStringEncoder>

namespace sim {

QByteArray CharsetLabel(BodyCharset charset) {
    return charset == BodyCharset::Gbk ? QByteArrayLiteral("gbk") : QByteArrayLiteral("utf-8");
}

QByteArray EncodeBody(const QString& text, BodyCharset charset) {
    switch (charset) {
        case BodyCharset::Utf8:
            return text.toUtf8();
        case BodyCharset::Utf8Bom:
            return QByteArrayLiteral("\xEF\xBB\xBF") + text.toUtf8();
        case BodyCharset::Gbk: {
            // GB18030 is a superset that writes every GBK character with the same bytes; it
            // stands in should a Qt build come without a GBK codec.
            QStringEncoder encoder("GBK");
            if (!encoder.isValid()) encoder = QStringEncoder("GB18030");
            return encoder(text);
        }
    }
    return {};
}

}  // namespace sim
