#include "scoring/response_notes.h"

#include "common/persian_digits.h"
#include "questionnaire/item_bank.h"

#include <QSet>

#include <algorithm>

namespace morva {
namespace {

// «الف»، «الف و ب»، «الف، ب و پ».
QString PersianList(const QStringList &parts)
{
    if (parts.size() < 2)
        return parts.value(0);
    return parts.mid(0, parts.size() - 1).join(QStringLiteral("، ")) + QStringLiteral(" و ") + parts.constLast();
}

// «عدد ۸» or «عددهای ۸ و ۹».
QString AnswersText(QList<int> values)
{
    std::sort(values.begin(), values.end());
    QStringList digits;
    for (const int value : std::as_const(values))
        digits << PersianDigits(QString::number(value));
    return (values.size() == 1 ? QStringLiteral("عدد ") : QStringLiteral("عددهای ")) + PersianList(digits);
}

} // namespace

QStringList ResponseNotes(const AnswerSheet &answers)
{
    QSet<int> all;
    for (int item = 1; item <= ItemCount; ++item)
        all.insert(answers.value(item).value_or(0));
    if (all.size() == 1)
        return {PersianDigits(QStringLiteral("آزمودنی به هر %1 جمله با عدد %2 پاسخ داده است. بهتر است پیش از "
                                             "تفسیر نتیجه، این شیوه‌ی پاسخ‌دهی را با آزمودنی در میان بگذارید.")
                                  .arg(ItemCount)
                                  .arg(*all.begin()))};
    // Each component answered in fewer than three ways, with the ways: one note for all of them,
    // so that the sheet does not repeat a sentence.
    QStringList narrow;
    for (const ItemComponent component : kItemComponents) {
        QSet<int> distinct;
        for (int item = 1; item <= ItemCount; ++item) {
            if (ItemComponentOf(item) == component)
                distinct.insert(answers.value(item).value_or(0));
        }
        if (distinct.size() < 3)
            narrow << QStringLiteral("مؤلفه‌ی %1 فقط با %2").arg(ComponentLabel(component), AnswersText(distinct.values()));
    }
    if (narrow.isEmpty())
        return {};
    return {QStringLiteral("آزمودنی به جمله‌های %1 پاسخ داده است. این یکنواختی ممکن است از احساسی یکدست باشد یا از "
                           "پاسخ‌دادن بی‌دقت؛ پیش از تفسیر نمره‌ی %2، آن را با آزمودنی بررسی کنید.")
                .arg(PersianList(narrow), narrow.size() == 1 ? QStringLiteral("این مؤلفه") : QStringLiteral("این مؤلفه‌ها"))};
}

} // namespace morva
