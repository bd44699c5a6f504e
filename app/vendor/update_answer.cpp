#include "app/vendor/update_answer.h"

#include <QRegularExpression>

namespace vendor {

namespace {

bool HasNonZeroDigit(QStringView digits) {
    for (QChar c : digits) {
        if (c != u'0') return true;
    }
    return false;
}

QStringView WithoutLeadingZeros(QStringView digits) {
    while (!digits.isEmpty() && digits.front() == u'0') digits = digits.mid(1);
    return digits;
}

// Orders two digit strings without leading zeros by value.
int CompareWholeNumbers(QStringView a, QStringView b) {
    if (a.size() != b.size()) return a.size() < b.size() ? -1 : 1;
    return a.compare(b);
}

}  // namespace

UpdateVerdict JudgeUpdateAnswer(const QString& answer) {
    // ASCII digits only: the service writes plain numbers, and toDouble-style parsing would also
    // accept exponents, "inf" and "nan".
    static const QRegularExpression kNumber(QStringLiteral(R"(^([+-]?)([0-9]*)(?:\.([0-9]*))?$)"));
    const QRegularExpressionMatch m = kNumber.match(answer.trimmed());
    if (!m.hasMatch()) return UpdateVerdict::NotANumber;
    const QStringView whole = m.capturedView(2);
    const QStringView fraction = m.capturedView(3);
    if (whole.isEmpty() && fraction.isEmpty()) return UpdateVerdict::NotANumber;

    const bool nonZero = HasNonZeroDigit(whole) || HasNonZeroDigit(fraction);
    if (m.capturedView(1) == u"-" && nonZero) return UpdateVerdict::Current;

    const QString own = QString::number(kOwnRelease);
    const int order = CompareWholeNumbers(WithoutLeadingZeros(whole), own);
    if (order > 0) return UpdateVerdict::Newer;
    if (order == 0 && HasNonZeroDigit(fraction)) return UpdateVerdict::Newer;
    return UpdateVerdict::Current;
}

}  // namespace vendor
