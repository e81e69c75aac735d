#include "scoring/session_history.h"

#include "common/persian_digits.h"

#include <cstdlib>

namespace morva {

QList<ScoredSession> ScoredSessions(const QList<TestSession> &sessions, const AnswerSheet &latest)
{
    QList<TestSession> all = sessions;
    if (all.isEmpty() || all.constLast().answers != latest)
        all.append({all.isEmpty() ? 1 : all.constLast().number + 1, QString(), {}, latest});
    QList<ScoredSession> scored;
    for (const TestSession &session : all) {
        if (session.answers.complete())
            scored.append({session.number, session.date, session.answers, Score(session.answers)});
    }
    return scored;
}

QString SessionDateText(const QString &date)
{
    return date.isEmpty() ? QStringLiteral("تاریخ نامعلوم") : PersianDigits(date);
}

QString SessionLabel(const ScoredSession &session)
{
    return QStringLiteral("اجرای %1 (%2)").arg(PersianNumber(session.number), SessionDateText(session.date));
}

QString ScoreChangeText(int earlier, int now)
{
    const int change = now - earlier;
    const QString sign = change > 0 ? QStringLiteral("+") : change < 0 ? QStringLiteral("-") : QString();
    return QChar(0x2066) + sign + PersianNumber(std::abs(change)) + QChar(0x2069);
}

} // namespace morva
