#include "scoring/response_notes.h"

#include "common/persian_digits.h"
#include "questionnaire/item_bank.h"

#include <QSet>

namespace morva {
namespace {

// «صميميت», «صميميت و هوس», «صميميت، هوس و تعهد».
QString PersianList(const QStringList &names)
{
    if (names.size() < 2)
        return names.value(0);
    return names.mid(0, names.size() - 1).join(QStringLiteral("، ")) + QStringLiteral(" و ") + names.constLast();
}

} // namespace

QStringList ResponseNotes(const QStringList &answers)
{
    const QSet<QString> all(answers.begin(), answers.end());
    if (all.size() == 1)
        return {PersianDigits(QStringLiteral("آزمودنی به هر %1 جمله با عدد %2 پاسخ داده است. بهتر است پیش از "
                                             "تفسیر نتیجه، این شیوه‌ی پاسخ‌دهی را با آزمودنی در میان بگذارید.")
                                  .arg(ItemCount)
                                  .arg(*all.begin()))};
    QStringList narrow;
    for (const ItemComponent component : kItemComponents) {
        QSet<QString> distinct;
        for (int item = 1; item <= ItemCount && item <= answers.size(); ++item) {
            if (ItemComponentOf(item) == component)
                distinct.insert(answers[item - 1]);
        }
        if (distinct.size() < 3)
            narrow << ComponentLabel(component);
    }
    if (narrow.isEmpty())
        return {};
    // One note for all such components, so that the sheet does not repeat a sentence.
    if (narrow.size() == 1)
        return {QStringLiteral("به جمله‌های مؤلفه‌ی %1 کمتر از سه پاسخ متفاوت داده شده است؛ نمره‌ی این مؤلفه را "
                               "با احتیاط بیشتری تفسیر کنید.")
                    .arg(narrow.constFirst())};
    return {QStringLiteral("به جمله‌های هر یک از مؤلفه‌های %1 کمتر از سه پاسخ متفاوت داده شده است؛ نمره‌ی این "
                           "مؤلفه‌ها را با احتیاط بیشتری تفسیر کنید.")
                .arg(PersianList(narrow))};
}

} // namespace morva
