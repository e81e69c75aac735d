#include "records/sql/sql_subject_store.h"

#include "calendar/jalali.h"
#include "records/columns.h"
#include "records/data_error.h"
#include "records/sql/sql_connection.h"
#include "records/sql/sql_texts.h"

#include <QSqlQuery>
#include <QStringList>

namespace morva {
namespace {

QVariant Stored(const QString &text)
{
    return text.isEmpty() ? QVariant() : QVariant(text);
}

// A moment as stored: ISO 8601 with its offset from UTC, or nothing when it is unknown.
QVariant StoredMoment(const QDateTime &moment)
{
    return moment.isValid() ? QVariant(moment.toOffsetFromUtc(moment.offsetFromUtc()).toString(Qt::ISODate)) : QVariant();
}

QDateTime MomentAt(TextRow row, qsizetype i)
{
    return QDateTime::fromString(TextAt(row, i), Qt::ISODate);
}

} // namespace

void SqlSubjectStore::holdCode(const QString &)
{
}

void SqlSubjectStore::readOneMoment()
{
}

void SqlSubjectStore::readTogether(const std::function<void()> &work)
{
    db().transact([&] {
        readOneMoment();
        work();
    });
}

bool SqlSubjectStore::codeTaken(const QString &code)
{
    return anyRow(QStringLiteral("SELECT 1 FROM \"IDE\" WHERE \"Code\" = ? LIMIT 1"), {code});
}

SubjectStore::Registration SqlSubjectStore::registerSubject(const Subject &subject)
{
    Registration result = Registration::Registered;
    db().transact([&] {
        holdCode(subject.code);
        if (codeTaken(subject.code)) {
            result = Registration::CodeTaken;
            return;
        }
        QStringList names;
        QVariantList values;
        for (const SubjectColumn &c : SubjectColumns()) {
            names << QuotedIdentifier(c.name);
            values << Stored(subject.*c.particular);
        }
        db().run(QStringLiteral("INSERT INTO \"IDE\" (%1) VALUES (%2)")
                     .arg(names.join(u", "), QStringList(names.size(), QStringLiteral("?")).join(u", ")),
                 values);
        db().run(QStringLiteral("INSERT INTO \"Answer\" (\"Code\", \"Group\") VALUES (?, ?)"),
                 {Stored(subject.code), Stored(subject.group)});
    });
    return result;
}

SubjectWithAnswers SqlSubjectStore::read(const QString &code)
{
    SubjectWithAnswers found;
    const qsizetype answersAt = SubjectColumns().size();
    db().readTexts(QStringLiteral("SELECT %1, a.\"ID\", %2 FROM (SELECT 1) AS one LEFT JOIN \"IDE\" s ON s.\"ID\" = %3 "
                                  "LEFT JOIN \"Answer\" a ON a.\"ID\" = %4")
                       .arg(SubjectColumnList(QStringLiteral("s.")), AnswerColumnList(QStringLiteral("a.")),
                            FirstRowOf(QStringLiteral("IDE")), FirstRowOf(QStringLiteral("Answer"))),
                   {code, code}, [&](TextRow row) {
                       if (!row[0].isNull())
                           found.subject = SubjectAt(row, 0);
                       if (!row[answersAt].isNull()) {
                           found.answerRow = row[answersAt].toLongLong();
                           found.answers = AnswersAt(row, answersAt + 1);
                       }
                       return false;
                   });
    return found;
}

bool SqlSubjectStore::anyAnswers()
{
    return anyRow(QStringLiteral("SELECT 1 FROM \"Answer\" LIMIT 1"));
}

bool SqlSubjectStore::anyRow(const QString &sql, const QVariantList &values)
{
    bool found = false;
    db().readTexts(sql, values, [&](TextRow) { return !(found = true); });
    return found;
}

void SqlSubjectStore::saveAnswers(const QString &code, qint64 answerRow, const AnswerSheet &answers,
                                  const Administration &when)
{
    db().transact([&] {
        QStringList assignments;
        QVariantList values;
        for (int item = 1; item <= AnswerSheet::kItems; ++item) {
            assignments << QuotedIdentifier(column::Answer(item)) + QStringLiteral(" = ?");
            values << Stored(answers.stored(item));
        }
        values << answerRow << code;
        QSqlQuery q = db().run(QStringLiteral("UPDATE \"Answer\" SET %1 WHERE \"ID\" = ? AND \"Code\" = ?").arg(assignments.join(u", ")), values);
        if (q.numRowsAffected() != 1)
            throw SubjectGone();
        if (answers.unanswered().size() == AnswerSheet::kItems)
            return; // nothing answered: no session
        std::optional<AnswerSheet> latest;
        db().readTexts(QStringLiteral("SELECT %1 FROM \"Session\" WHERE \"ID\" = %2")
                           .arg(AnswerColumnList({}), LatestSessionOf(QStringLiteral("?"))),
                       {code}, [&](TextRow row) {
                           latest = AnswersAt(row, 0);
                           return false;
                       });
        if (latest == answers)
            return;
        QVariantList session{code, PersianDateText(when.saved), StoredMoment(when.started), StoredMoment(when.saved)};
        for (int item = 1; item <= AnswerSheet::kItems; ++item)
            session << Stored(answers.stored(item));
        session << code;
        db().run(QStringLiteral("INSERT INTO \"Session\" (\"Code\", \"Number\", \"Date\", \"Started\", \"Saved\", %1) "
                                "SELECT ?, CAST(COALESCE(MAX(CAST(\"Number\" AS INTEGER)), 0) + 1 AS TEXT), ?, ?, ?, %2 "
                                "FROM \"Session\" WHERE \"Code\" = ?")
                     .arg(AnswerColumnList({}), QStringList(AnswerSheet::kItems, QStringLiteral("?")).join(u", ")),
                 session);
    });
}

QList<TestSession> SqlSubjectStore::sessions(const QString &code)
{
    QList<TestSession> kept;
    db().readTexts(QStringLiteral("SELECT \"Number\", \"Date\", \"Started\", \"Saved\", %1 FROM \"Session\" "
                                  "WHERE \"Code\" = ? ORDER BY \"ID\"")
                       .arg(AnswerColumnList({})),
                   {code}, [&](TextRow row) {
                       kept.append({static_cast<int>(row[0].toLongLong()), TextAt(row, 1),
                                    {MomentAt(row, 2), MomentAt(row, 3)}, AnswersAt(row, 4)});
                       return true;
                   });
    return kept;
}

bool SqlSubjectStore::deleteSubject(const QString &code)
{
    bool deleted = false;
    db().transact([&] {
        for (const QString &table : {QStringLiteral("IDE"), QStringLiteral("Answer")}) {
            QSqlQuery q = db().run(
                QStringLiteral("DELETE FROM %1 WHERE \"ID\" = %2").arg(QuotedIdentifier(table), FirstRowOf(table)), {code});
            deleted = deleted || q.numRowsAffected() > 0;
        }
        db().run(QStringLiteral("DELETE FROM \"Session\" WHERE \"Code\" = ?"), {code});
    });
    return deleted;
}

} // namespace morva
