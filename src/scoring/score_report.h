#pragma once

#include "records/answer_sheet.h"
#include "scoring/love_type.h"
#include "scoring/scores.h"

#include <QList>
#include <QStringList>

namespace morva {

// What a subject's answers come to, for every window and sheet that shows it: the unanswered
// items, and for a complete sheet the three sums, the love type and the notes on how the answers
// were given.
struct ScoreReport {
    QList<int> unanswered;
    ComponentScores sums;
    LoveType type = LoveType::NonLove;
    QStringList notes;

    bool complete() const { return unanswered.isEmpty(); }
};

ScoreReport Score(const AnswerSheet &answers);

} // namespace morva
