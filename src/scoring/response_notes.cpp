#include "scoring/response_notes.h"

#include "questionnaire/item_bank.h"

#include <QSet>

namespace morva {

QStringList ResponseNotes(const QStringList &answers)
{
    const QSet<QString> all(answers.begin(), answers.end());
    if (all.size() == 1)
        return {QStringLiteral("آزمودنی به هر 45 جمله با عدد %1 پاسخ داده است. بهتر است پیش از تفسیر نتیجه، "
                               "این شیوه‌ی پاسخ‌دهی را با آزمودنی در میان بگذارید.")
                    .arg(*all.begin())};
    QStringList notes;
    for (const ItemComponent component : kItemComponents) {
        QSet<QString> distinct;
        for (int item = 1; item <= ItemCount && item <= answers.size(); ++item) {
            if (ItemComponentOf(item) == component)
                distinct.insert(answers[item - 1]);
        }
        if (distinct.size() < 3)
            notes << QStringLiteral("به جمله‌های مؤلفه‌ی %1 کمتر از سه پاسخ متفاوت داده شده است؛ نمره‌ی این مؤلفه را "
                                    "با احتیاط بیشتری تفسیر کنید.")
                         .arg(ComponentLabel(component));
    }
    return notes;
}

} // namespace morva
