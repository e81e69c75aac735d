#pragma once

#include <QString>
#include <QStringView>

#include <optional>

namespace morva {

enum class ItemComponent { Intimacy, Passion, Commitment };

// The three, in the order the questionnaire's items take them.
inline constexpr ItemComponent kItemComponents[] = {ItemComponent::Intimacy, ItemComponent::Passion,
                                                    ItemComponent::Commitment};

// Where the beloved's name goes in an item's statement.
enum class ItemPattern {
    LeadSpaceName, // lead + " " + name + trail
    NameFirst,     // name + trail
    LeadName,      // lead + name + trail
};

constexpr int ItemCount = 45;

// Items 1-15 intimacy, 16-30 passion, 31-45 commitment.
ItemComponent ItemComponentOf(int itemNumber);
// The component's name as the scoring window shows it: "صميميت", "هوس", "تعهد".
QString ComponentLabel(ItemComponent component);
ItemPattern ItemPatternOf(int itemNumber);

// The statement of an item with the name spliced in verbatim; nullopt for anything but the
// whole numbers 1 to 45.
std::optional<QString> ComposeItemText(double itemNumber, const QString &belovedName);

// Whether an item number typed digit by digit can still become another item number by one more
// digit: "" , "0" and "1" to "4" can; "5" to "9" alone and any two digits ("12", "07") cannot.
// typed: the digits typed so far (Latin, Persian or Arabic-Indic).
bool ItemNumberCanGrow(QStringView typed);

} // namespace morva
