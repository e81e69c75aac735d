#pragma once

#include "records/answer_sheet.h"
#include "records/subject_store.h"
#include "scoring/score_report.h"

#include <QList>
#include <QString>

namespace morva {

// One administration of the test with what its answers come to.
struct ScoredSession {
    int number = 0; // the store's number, 1 for the subject's first
    QString date;   // as the store keeps it, in Latin digits; empty when unknown
    AnswerSheet answers;
    ScoreReport report;
};

// The administrations of a subject that can be scored (every item answered), the first first.
// latest: the answers the subject has now, which the window and the sheets show by default; when
// no session holds them (answers given before sessions were kept, or written by other means),
// they stand last, as a session of unknown date.
QList<ScoredSession> ScoredSessions(const QList<TestSession> &sessions, const AnswerSheet &latest);

// A session's date for Persian text, in Persian digits; «تاریخ نامعلوم» when it is not known.
QString SessionDateText(const QString &date);
// A session named for Persian text: «اجرای ۲ (۱۴۰۵/۰۹/۱۷)».
QString SessionLabel(const ScoredSession &session);
// How far a sum moved from an earlier session, in Persian digits with its sign («+۱۲», «-۵»),
// «۰» for none; isolated left to right, so that the sign stands before the number in a Persian
// line as it does in a sum.
QString ScoreChangeText(int earlier, int now);

} // namespace morva
