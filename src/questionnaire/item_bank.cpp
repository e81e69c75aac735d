#include "questionnaire/item_bank.h"

#include "questionnaire/item_texts.h"

#include <cmath>

namespace morva {

ItemComponent ItemComponentOf(int itemNumber)
{
    if (itemNumber <= 15)
        return ItemComponent::Intimacy;
    return itemNumber <= 30 ? ItemComponent::Passion : ItemComponent::Commitment;
}

ItemPattern ItemPatternOf(int itemNumber)
{
    switch (itemNumber) {
    case 1:
    case 2:
    case 3:
    case 5:
        return ItemPattern::LeadSpaceName;
    case 4:
    case 6:
    case 7:
    case 13:
        return ItemPattern::NameFirst;
    default:
        return ItemPattern::LeadName;
    }
}

std::optional<QString> ComposeItemText(double itemNumber, const QString &belovedName)
{
    if (!(itemNumber >= 1 && itemNumber <= ItemCount) || std::floor(itemNumber) != itemNumber)
        return std::nullopt;
    const int item = static_cast<int>(itemNumber);
    const ItemPieces &pieces = kItemPieces[item - 1];
    const QString trail = QString::fromUtf8(pieces.trail);
    switch (ItemPatternOf(item)) {
    case ItemPattern::LeadSpaceName:
        return QString::fromUtf8(pieces.lead) + u' ' + belovedName + trail;
    case ItemPattern::NameFirst:
        return belovedName + trail;
    case ItemPattern::LeadName:
        return QString::fromUtf8(pieces.lead) + belovedName + trail;
    }
    return std::nullopt;
}

bool ItemNumberCanGrow(QStringView typed)
{
    int value = 0;
    for (const QChar digit : typed) {
        if (!digit.isDigit())
            return false;
        value = value * 10 + digit.digitValue();
        if (value > ItemCount)
            return false;
    }
    // One more digit makes value * 10 to value * 10 + 9, of which 1 to ItemCount are items.
    return value * 10 <= ItemCount;
}

QString ComponentLabel(ItemComponent component)
{
    switch (component) {
    case ItemComponent::Intimacy:
        return QStringLiteral("صميميت");
    case ItemComponent::Passion:
        return QStringLiteral("هوس");
    case ItemComponent::Commitment:
        break;
    }
    return QStringLiteral("تعهد");
}

} // namespace morva
