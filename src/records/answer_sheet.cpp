#include "records/answer_sheet.h"

namespace morva {

AnswerSheet::AnswerSheet() : stored_(kItems) {}

AnswerSheet::AnswerSheet(const QStringList &stored) : stored_(stored.mid(0, kItems))
{
    stored_.resize(kItems);
}

std::optional<int> AnswerSheet::ValueOf(const QString &text)
{
    if (text.size() != 1 || !text.front().isDigit())
        return std::nullopt;
    const int value = text.front().digitValue();
    if (value < 1 || value > 9)
        return std::nullopt;
    return value;
}

QList<int> AnswerSheet::unanswered() const
{
    QList<int> items;
    for (int item = 1; item <= kItems; ++item) {
        if (!answered(item))
            items << item;
    }
    return items;
}

bool AnswerSheet::complete() const
{
    for (int item = 1; item <= kItems; ++item) {
        if (!answered(item))
            return false;
    }
    return true;
}

} // namespace morva
