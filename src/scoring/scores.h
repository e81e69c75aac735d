#pragma once

#include "questionnaire/item_bank.h"
#include "records/answer_sheet.h"

#include <QString>
#include <QStringList>

#include <array>
#include <optional>

namespace morva {

// A component's sum when its fifteen items are all answered 1, and all answered 9.
constexpr int kLowestScore = 15;
constexpr int kHighestScore = 135;

// The three sums of a subject's answers, each kLowestScore to kHighestScore when every item is
// answered 1 to 9.
struct ComponentScores {
    int intimacy = 0;
    int passion = 0;
    int commitment = 0;
};

// The sum of one component.
int ScoreOf(const ComponentScores &scores, ItemComponent component);

// Each item's answer, item 1 first; nothing where it is unanswered.
using AnswerValues = std::array<std::optional<int>, ItemCount>;

// The sums of each component's answered items.
ComponentScores ComputeScores(const AnswerSheet &answers);
ComponentScores ComputeScores(const AnswerValues &values);

// A component's sum as the mean answer of its fifteen items.
double MeanPerItem(int sum);
// That mean for Persian text: Persian digits, two decimals, so that 97 («۶٫۴۷») stays apart
// from a cut-off of 98 («۶٫۵۳»).
QString MeanPerItemText(int sum);
// The range of a component's sum for Persian text: «۱۵ تا ۱۳۵».
QString ScoreRangeText();
// The three sums named for Persian text: «صميميت ۹۰، هوس ۱۲۰، تعهد ۷۵».
QString ScoresText(const ComponentScores &scores);

// The unanswered items, each as a blank, its number and two blanks: " 7   12  ". Empty when every
// item is answered.
QString MissingItemsList(const AnswerSheet &answers);

} // namespace morva
