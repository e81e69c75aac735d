#include "common/persian_digits.h"

#include <algorithm>
#include <cmath>

namespace morva {

QString PersianDigits(const QString &text)
{
    QString persian = text;
    for (QChar &c : persian) {
        if (c >= u'0' && c <= u'9')
            c = QChar(0x06F0 + (c.unicode() - u'0'));
    }
    return persian;
}

QString PersianNumber(double value, int decimals)
{
    // 'f' writes a point, never a group separator, in every locale.
    return PersianDigits(QString::number(value, 'f', decimals).replace(u'.', QChar(0x066B)));
}

QString PersianFigure(std::optional<double> value, int decimals)
{
    if (!value || !std::isfinite(*value))
        return QStringLiteral("—");
    const QString digits = PersianNumber(std::abs(*value), decimals);
    const bool zero = std::all_of(digits.begin(), digits.end(), [](QChar c) { return c.digitValue() <= 0; });
    return *value < 0 && !zero ? QStringLiteral("\u200E\u2212") + digits : digits;
}

QString PersianPValue(std::optional<double> p)
{
    if (p && *p < 0.001)
        return QStringLiteral("< ") + PersianNumber(0.001, 3);
    return PersianFigure(p, 3);
}

} // namespace morva
