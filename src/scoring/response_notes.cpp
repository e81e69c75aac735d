#include "scoring/response_notes.h"

#include "questionnaire/item_bank.h"

#include <QSet>

namespace morva {

QStringList ResponseNotes(const QStringList &answers)
{
    const QSet<QString> all(answers.begin(), answers.end());
    if (all.size() == 1)
        return {QStringLiteral("آزمودنی به همه‌ی 45 جمله یک پاسخ داده است (همه %1). این شیوه‌ی پاسخ‌دادن را "
                               "بهتر است پیش از تفسیر نتیجه با آزمودنی در میان بگذارید.")
                    .arg(*all.begin())};
    QStringList notes;
    for (const ItemComponent component : {ItemComponent::Intimacy, ItemComponent::Passion, ItemComponent::Commitment}) {
        QSet<QString> distinct;
        for (int item = 1; item <= ItemCount && item <= answers.size(); ++item) {
            if (ItemComponentOf(item) == component)
                distinct.insert(answers[item - 1]);
        }
        if (distinct.size() < 3)
            notes << QStringLiteral("در جمله‌های مؤلفه‌ی %1 کمتر از سه پاسخ متفاوت آمده است؛ نمره‌ی این مؤلفه را با "
                                    "احتیاط بیشتری تفسیر کنید.")
                         .arg(ComponentLabel(component));
    }
    return notes;
}

} // namespace morva
