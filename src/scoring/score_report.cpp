#include "scoring/score_report.h"

#include "scoring/response_notes.h"

namespace morva {

ScoreReport Score(const AnswerSheet &answers)
{
    ScoreReport report;
    report.unanswered = answers.unanswered();
    if (!report.complete())
        return report;
    report.sums = ComputeScores(answers);
    report.type = ClassifyLoveType(report.sums);
    report.notes = ResponseNotes(answers);
    return report;
}

} // namespace morva
