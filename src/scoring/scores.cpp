#include "scoring/scores.h"

#include "common/persian_digits.h"
#include "questionnaire/item_bank.h"

namespace morva {

ComponentScores ComputeScores(const AnswerSheet &answers)
{
    AnswerValues values;
    for (int item = 1; item <= ItemCount; ++item)
        values[item - 1] = answers.value(item);
    return ComputeScores(values);
}

ComponentScores ComputeScores(const AnswerValues &values)
{
    int sums[3] = {0, 0, 0};
    for (int item = 1; item <= ItemCount; ++item)
        sums[static_cast<int>(ItemComponentOf(item))] += values[item - 1].value_or(0);
    return {sums[0], sums[1], sums[2]};
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

QString MissingItemsList(const AnswerSheet &answers)
{
    QString list;
    for (const int item : answers.unanswered())
        list += u' ' + QString::number(item) + QStringLiteral("  ");
    return list;
}

} // namespace morva
