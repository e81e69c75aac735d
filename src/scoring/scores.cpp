#include "scoring/scores.h"

#include "common/persian_digits.h"
#include "questionnaire/item_bank.h"
#include "common/numbers.h"

namespace morva {

ComponentScores ComputeScores(const QStringList &answers)
{
    double sums[3] = {0, 0, 0};
    for (int item = 1; item <= ItemCount && item <= answers.size(); ++item)
        sums[static_cast<int>(ItemComponentOf(item))] += LeadingNumber(answers[item - 1]);
    return {static_cast<int>(sums[0]), static_cast<int>(sums[1]), static_cast<int>(sums[2])};
}

int ScoreOf(const ComponentScores &scores, ItemComponent component)
{
    switch (component) {
    case ItemComponent::Intimacy:
        return scores.intimacy;
    case ItemComponent::Passion:
        return scores.passion;
    case ItemComponent::Commitment:
        break;
    }
    return scores.commitment;
}

double MeanPerItem(int sum)
{
    return sum / static_cast<double>(ItemCount / 3);
}

QString MeanPerItemText(int sum)
{
    return PersianNumber(MeanPerItem(sum), 2);
}

QString ScoreRangeText()
{
    return PersianDigits(QStringLiteral("%1 تا %2").arg(kLowestScore).arg(kHighestScore));
}

QString ScoresText(const ComponentScores &scores)
{
    QStringList parts;
    for (const ItemComponent component : kItemComponents)
        parts << ComponentLabel(component) + u' ' + PersianDigits(QString::number(ScoreOf(scores, component)));
    return parts.join(QStringLiteral("، "));
}

QString MissingItemsList(const QStringList &answers)
{
    QString list;
    for (int item = 1; item <= ItemCount; ++item) {
        if (answers.value(item - 1).isEmpty())
            list += u' ' + QString::number(item) + QStringLiteral("  ");
    }
    return list;
}

} // namespace morva
