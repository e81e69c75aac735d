#include "questionnaire/answers.h"

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

QString PersianNumber(int number)
{
    QString text = QString::number(number);
    for (QChar &ch : text) {
        if (ch.isDigit())
            ch = QChar(0x06F0 + ch.digitValue()); // EXTENDED ARABIC-INDIC DIGIT ZERO ...
    }
    return text;
}

QString ItemProgressText(int item)
{
    return QStringLiteral("جمله‌ی %1 از %2").arg(PersianNumber(item), PersianNumber(ItemCount));
}

bool IsAnswered(const QString &answer)
{
    if (answer.size() != 1 || !answer.front().isDigit())
        return false;
    const int value = answer.front().digitValue();
    return value >= 1 && value <= 9;
}

QList<int> UnansweredItems(const QStringList &answers)
{
    QList<int> items;
    for (int item = 1; item <= ItemCount; ++item) {
        if (!IsAnswered(answers.value(item - 1)))
            items << item;
    }
    return items;
}

QString ItemNumbersText(const QList<int> &items)
{
    QStringList numbers;
    for (const int item : items)
        numbers << PersianNumber(item);
    return numbers.join(QStringLiteral("، "));
}

} // namespace morva
