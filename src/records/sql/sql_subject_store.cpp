#include "records/sql/sql_subject_store.h"

#include "calendar/jalali.h"
#include "records/columns.h"
#include "records/data_error.h"
#include "records/persian_order.h"
#include "records/schema.h"
#include "records/sql/sql_connection.h"

#include <QSqlQuery>
#include <QStringList>

#include <limits>

namespace morva {
namespace {

QString Quoted(const QString &name)
{
    return QuotedIdentifier(name);
}

// "AND alias."Column" = ?" for a narrowing filter, with its value appended to values.
QString FilterCondition(const SubjectFilter &filter, const QString &alias, QVariantList &values)
{
    if (filter.isAll())
        return {};
    values << filter.value;
    return QStringLiteral(" AND %1%2 = ?").arg(alias, Quoted(FilterColumn(filter.field)));
}

// The first row of a table under a code (a bound value, or a column of the query), in the order
// rows were added: a subject is its first subject row and its first answer row.
QString FirstRowOf(const QString &table, const QString &code = QStringLiteral("?"))
{
    return QStringLiteral("(SELECT MIN(\"ID\") FROM %1 WHERE \"Code\" = %2)").arg(Quoted(table), code);
}

QString SubjectColumnList(const QString &alias)
{
    QStringList names;
    for (const SubjectColumn &c : SubjectColumns())
        names << alias + Quoted(c.name);
    return names.join(u", ");
}

QString AnswerColumnList(const QString &alias)
{
    QStringList names;
    for (int item = 1; item <= AnswerSheet::kItems; ++item)
        names << alias + Quoted(column::Answer(item));
    return names.join(u", ");
}

QString TextAt(TextRow row, qsizetype i)
{
    return QString::fromUtf8(row[i]);
}

// A subject from a row's columns, starting at first.
Subject SubjectAt(TextRow row, qsizetype first)
{
    Subject subject;
    qsizetype i = first;
    for (const SubjectColumn &c : SubjectColumns())
        subject.*c.particular = TextAt(row, i++);
    return subject;
}

AnswerSheet AnswersAt(TextRow row, qsizetype first)
{
    QStringList stored;
    for (int item = 0; item < AnswerSheet::kItems; ++item)
        stored << TextAt(row, first + item);
    return AnswerSheet(stored);
}

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

TestState StateOf(qsizetype answered)
{
    return answered == AnswerSheet::kItems ? TestState::Complete
                                           : (answered == 0 ? TestState::NotTaken : TestState::Incomplete);
}

TestState StateOf(const AnswerSheet &answers)
{
    return StateOf(AnswerSheet::kItems - answers.unanswered().size());
}

// The same of the answers as stored, read where they are without copying them.
TestState StateAt(TextRow row, qsizetype first)
{
    qsizetype answered = 0;
    for (qsizetype item = 0; item < AnswerSheet::kItems; ++item)
        answered += AnswerSheet::ValueOf(row[first + item]).has_value() ? 1 : 0;
    return StateOf(answered);
}

// The latest session of the subject whose code is the column code of the query.
QString LatestSessionOf(const QString &code)
{
    return QStringLiteral("(SELECT MAX(\"ID\") FROM \"Session\" WHERE \"Code\" = %1)").arg(code);
}

// The sessions of the subjects that pass the condition on s, each subject by its first subject row
// (its sessions found through the index on Session's Code), as "FROM … WHERE …".
QString SessionsOfSubjects(const QString &condition)
{
    return QStringLiteral("FROM \"IDE\" s JOIN \"Session\" x ON x.\"Code\" = s.\"Code\" WHERE s.\"ID\" = %1%2")
        .arg(FirstRowOf(QStringLiteral("IDE"), QStringLiteral("s.\"Code\"")), condition);
}

} // namespace

QString FilterColumn(SubjectFilter::Field field)
{
    switch (field) {
    case SubjectFilter::Field::Group:
        return column::Group;
    case SubjectFilter::Field::FirstName:
        return column::FName;
    case SubjectFilter::Field::LastName:
        return column::LName;
    case SubjectFilter::Field::Code:
        return column::Code;
    case SubjectFilter::Field::All:
        break;
    }
    return {};
}

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
            names << Quoted(c.name);
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
            assignments << Quoted(column::Answer(item)) + QStringLiteral(" = ?");
            values << Stored(answers.stored(item));
        }
        values << answerRow << code;
        QSqlQuery q = db().run(QStringLiteral("UPDATE \"Answer\" SET %1 WHERE \"ID\" = ? AND \"Code\" = ?").arg(assignments.join(u", ")), values);
        if (q.numRowsAffected() != 1)
            throw SubjectGone();
        if (StateOf(answers) == TestState::NotTaken)
            return;
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
                QStringLiteral("DELETE FROM %1 WHERE \"ID\" = %2").arg(Quoted(table), FirstRowOf(table)), {code});
            deleted = deleted || q.numRowsAffected() > 0;
        }
        db().run(QStringLiteral("DELETE FROM \"Session\" WHERE \"Code\" = ?"), {code});
    });
    return deleted;
}

qint64 SqlSubjectStore::count(const SubjectFilter &filter)
{
    return rowCount(QStringLiteral("IDE"), filter);
}

QList<ListedSubject> SqlSubjectStore::page(const SubjectFilter &filter, std::optional<qint64> after, int limit)
{
    QVariantList values{after.value_or(std::numeric_limits<qint64>::min())};
    const QString condition = FilterCondition(filter, QStringLiteral("s."), values);
    // With the first answer row of the same code and the date of its latest session, each found
    // through an index on Code.
    const QString sql =
        QStringLiteral("SELECT s.\"ID\", %1, %2, x.\"Date\", x.\"ID\" FROM \"IDE\" s LEFT JOIN \"Answer\" a ON a.\"ID\" = %3 "
                       "LEFT JOIN \"Session\" x ON x.\"ID\" = %4 WHERE s.\"ID\" > ?%5 ORDER BY s.\"ID\" LIMIT %6")
            .arg(SubjectColumnList(QStringLiteral("s.")), AnswerColumnList(QStringLiteral("a.")),
                 FirstRowOf(QStringLiteral("Answer"), QStringLiteral("s.\"Code\"")),
                 LatestSessionOf(QStringLiteral("s.\"Code\"")), condition)
            .arg(limit);
    const qsizetype answersAt = 1 + SubjectColumns().size();
    const qsizetype dateAt = answersAt + AnswerSheet::kItems;
    QList<ListedSubject> rows;
    db().readTexts(sql, values, [&](TextRow row) {
        const bool tested = !row[dateAt + 1].isNull();
        rows.append({row[0].toLongLong(), SubjectAt(row, 1), StateAt(row, answersAt),
                     tested ? std::optional<QString>(TextAt(row, dateAt)) : std::nullopt});
        return true;
    });
    return rows;
}

void SqlSubjectStore::forEach(const SubjectFilter &filter, const std::function<bool(const SubjectTexts &)> &visit)
{
    QVariantList values;
    const QString condition = FilterCondition(filter, QStringLiteral("s."), values);
    // The first answer row of the same code, found through the index on Answer's Code.
    const QString sql = QStringLiteral("SELECT %1, a.\"ID\", %2 FROM \"IDE\" s LEFT JOIN \"Answer\" a ON a.\"ID\" = %3 "
                                       "WHERE 1 = 1%4 ORDER BY s.\"ID\"")
                            .arg(SubjectColumnList(QStringLiteral("s.")), AnswerColumnList(QStringLiteral("a.")),
                                 FirstRowOf(QStringLiteral("Answer"), QStringLiteral("s.\"Code\"")), condition);
    const qsizetype answersAt = SubjectColumns().size();
    db().readTexts(sql, values, [&](TextRow row) {
        const bool answered = !row[answersAt].isNull();
        return visit({row.first(answersAt), answered ? row.subspan(answersAt + 1, AnswerSheet::kItems) : TextRow()});
    });
}

SubjectsOutline SqlSubjectStore::outline(const SubjectFilter &filter, const QList<QString Subject::*> &valuesOf)
{
    QVariantList values;
    const QString condition = FilterCondition(filter, {}, values);
    QStringList longest;
    for (const SubjectColumn &c : SubjectColumns())
        longest << QStringLiteral("MAX(%1)").arg(utf8Length(Quoted(c.name)));
    SubjectsOutline outline;
    db().readTexts(QStringLiteral("SELECT COUNT(*), %1 FROM \"IDE\" WHERE 1 = 1%2").arg(longest.join(u", "), condition),
                   values, [&](TextRow row) {
                       outline.subjects = row[0].toLongLong();
                       for (size_t i = 1; i < row.size(); ++i)
                           outline.longest << row[i].toLongLong();
                       return false;
                   });
    for (QString Subject::*particular : valuesOf) {
        const QString name = Quoted(SubjectColumns()[ColumnOf(particular)].name);
        QStringList texts;
        db().readTexts(QStringLiteral("SELECT %1 FROM \"IDE\" WHERE %1 <> ''%2 GROUP BY %1 ORDER BY MIN(\"ID\")")
                           .arg(name, condition),
                       values, [&](TextRow row) {
                           texts << TextAt(row, 0);
                           return true;
                       });
        outline.values << texts;
    }
    return outline;
}

void SqlSubjectStore::forEachSession(const SubjectFilter &filter,
                                     const std::function<bool(const SessionTexts &)> &visit)
{
    QVariantList values;
    const QString sql = QStringLiteral("SELECT %1, x.\"Number\", x.\"Date\", %2 %3 ORDER BY s.\"ID\", x.\"ID\"")
                            .arg(SubjectColumnList(QStringLiteral("s.")), AnswerColumnList(QStringLiteral("x.")),
                                 SessionsOfSubjects(FilterCondition(filter, QStringLiteral("s."), values)));
    const qsizetype numberAt = SubjectColumns().size();
    db().readTexts(sql, values, [&](TextRow row) {
        return visit({row.first(numberAt), row[numberAt], row[numberAt + 1],
                      row.subspan(numberAt + 2, AnswerSheet::kItems)});
    });
}

SessionsOutline SqlSubjectStore::sessionsOutline(const SubjectFilter &filter)
{
    QVariantList values;
    const QString sql = QStringLiteral("SELECT COUNT(*), MAX(%1) %2")
                            .arg(utf8Length(QStringLiteral("x.\"Date\"")),
                                 SessionsOfSubjects(FilterCondition(filter, QStringLiteral("s."), values)));
    SessionsOutline outline;
    db().readTexts(sql, values, [&](TextRow row) {
        outline = {row[0].toLongLong(), static_cast<qsizetype>(row[1].toLongLong())};
        return false;
    });
    return outline;
}

QStringList SqlSubjectStore::distinctNames(SubjectFilter::Field field)
{
    const QString name = Quoted(FilterColumn(field));
    // From each value to the next greater one through the index: a seek per value instead of a
    // pass over every subject.
    QStringList names;
    db().readTexts(QStringLiteral("WITH RECURSIVE v(x) AS (SELECT MIN(%1) FROM \"IDE\" WHERE %1 > '' UNION ALL "
                                  "SELECT (SELECT MIN(%1) FROM \"IDE\" WHERE %1 > v.x) FROM v WHERE v.x IS NOT "
                                  "NULL) SELECT x FROM v WHERE x IS NOT NULL")
                       .arg(name),
                   {}, [&](TextRow row) {
                       names << TextAt(row, 0);
                       return true;
                   });
    SortInPersianOrder(names);
    return names;
}

std::optional<QHash<QString, QString>> SqlSubjectStore::firstRow(const QString &table, const SubjectFilter &filter)
{
    const TableSchema &schema = SchemaOf(table);
    QStringList names;
    for (const QString &c : schema.columns)
        names << Quoted(c);
    QVariantList values;
    const QString sql = QStringLiteral("SELECT %1 FROM %2 WHERE 1 = 1%3 ORDER BY \"ID\" LIMIT 1")
                            .arg(names.join(u", "), Quoted(schema.name), FilterCondition(filter, {}, values));
    std::optional<QHash<QString, QString>> first;
    db().readTexts(sql, values, [&](TextRow row) {
        first.emplace();
        for (qsizetype i = 0; i < schema.columns.size(); ++i)
            first->insert(schema.columns[i], TextAt(row, i));
        return false;
    });
    return first;
}

qint64 SqlSubjectStore::rowCount(const QString &table, const SubjectFilter &filter)
{
    QVariantList values;
    const QString sql = QStringLiteral("SELECT COUNT(*) FROM %1 WHERE 1 = 1%2")
                            .arg(Quoted(SchemaOf(table).name), FilterCondition(filter, {}, values));
    qint64 rows = 0;
    db().readTexts(sql, values, [&](TextRow row) {
        rows = row[0].toLongLong();
        return false;
    });
    return rows;
}

} // namespace morva
