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

std::optional<int> AnswerSheet::ValueOf(QByteArrayView utf8)
{
    // One ASCII byte, the usual answer, is a whole character: only the Latin digits 1 to 9 pass
    // the rule above, without a text made for it.
    if (utf8.size() == 1 && static_cast<uchar>(utf8.front()) < 0x80) {
        const char c = utf8.front();
        return c >= '1' && c <= '9' ? std::optional<int>(c - '0') : std::nullopt;
    }
    return ValueOf(QString::fromUtf8(utf8));
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

DecodedAnswers DecodeAnswers(std::span<const QByteArrayView> utf8)
{
    DecodedAnswers decoded;
    for (qsizetype item = 0; item < AnswerSheet::kItems && item < qsizetype(utf8.size()); ++item) {
        decoded.values[item] = AnswerSheet::ValueOf(utf8[item]);
        decoded.answered += decoded.values[item].has_value() ? 1 : 0;
    }
    return decoded;
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
