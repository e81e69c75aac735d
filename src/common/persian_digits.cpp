#include "common/persian_digits.h"

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

} // namespace morva
