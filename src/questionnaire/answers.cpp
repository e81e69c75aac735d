#include "questionnaire/answers.h"

#include "common/persian_digits.h"
#include "questionnaire/item_bank.h"

namespace morva {

QList<ScaleAnchor> ScaleAnchors()
{
    return {{1, QStringLiteral("اصلاً")}, {5, QStringLiteral("به طور متوسط")}, {9, QStringLiteral("به طور کامل")}};
}

QString ScaleAnchorText(const ScaleAnchor &anchor)
{
    return PersianNumber(anchor.value) + QStringLiteral(" = ") + anchor.word;
}

QString ItemProgressText(int item)
{
    return QStringLiteral("جمله‌ی %1 از %2").arg(PersianNumber(item), PersianNumber(ItemCount));
}

QString ItemNumbersText(const QList<int> &items)
{
    QStringList numbers;
    for (const int item : items)
        numbers << PersianNumber(item);
    return numbers.join(QStringLiteral("، "));
}

} // namespace morva
