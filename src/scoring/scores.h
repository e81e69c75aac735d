#pragma once

#include "questionnaire/item_bank.h"

#include <QString>
#include <QStringList>

namespace morva {

// The three sums of a subject's answers, each 15 to 135 when every item is answered 1 to 9.
struct ComponentScores {
    int intimacy = 0;
    int passion = 0;
    int commitment = 0;
};

// The sum of one component.
int ScoreOf(const ComponentScores &scores, ItemComponent component);

// answers: the 45 answer texts, item 1 first; each is read by LeadingNumber.
ComponentScores ComputeScores(const QStringList &answers);

// A component's sum as the mean answer of its fifteen items.
double MeanPerItem(int sum);

// The unanswered (empty) items, each as a blank, its number and two blanks: " 7   12  ".
// Empty when every item is answered.
QString MissingItemsList(const QStringList &answers);

} // namespace morva
