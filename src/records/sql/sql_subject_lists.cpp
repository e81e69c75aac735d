// The store's readings of many subjects at a time: the lists, the streams and their outlines.
#include "records/sql/sql_subject_store.h"

#include "records/persian_order.h"
#include "records/schema.h"
#include "records/sql/sql_texts.h"

#include <QStringList>

#include <limits>

namespace morva {
namespace {

// How far the test of answers stored from column first came, read where they lie without copying
// them.
TestState StateAt(TextRow row, qsizetype first)
{
    return DecodeAnswers(row.subspan(first, AnswerSheet::kItems)).state();
}

// The sessions of the subjects that pass the condition on s, each subject by its first subject row
// (its sessions found through the index on Session's Code), as "FROM … WHERE …".
QString SessionsOfSubjects(const QString &condition)
{
    return QStringLiteral("FROM \"IDE\" s JOIN \"Session\" x ON x.\"Code\" = s.\"Code\" WHERE s.\"ID\" = %1%2")
        .arg(FirstRowOf(QStringLiteral("IDE"), QStringLiteral("s.\"Code\"")), condition);
}

} // namespace

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
        longest << QStringLiteral("MAX(%1)").arg(utf8Length(QuotedIdentifier(c.name)));
    SubjectsOutline outline;
    db().readTexts(QStringLiteral("SELECT COUNT(*), %1 FROM \"IDE\" WHERE 1 = 1%2").arg(longest.join(u", "), condition),
                   values, [&](TextRow row) {
                       outline.subjects = row[0].toLongLong();
                       for (size_t i = 1; i < row.size(); ++i)
                           outline.longest << row[i].toLongLong();
                       return false;
                   });
    for (QString Subject::*particular : valuesOf) {
        const QString name = QuotedIdentifier(SubjectColumns()[ColumnOf(particular)].name);
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
    const QString name = QuotedIdentifier(FilterColumn(field));
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
        names << QuotedIdentifier(c);
    QVariantList values;
    const QString sql = QStringLiteral("SELECT %1 FROM %2 WHERE 1 = 1%3 ORDER BY \"ID\" LIMIT 1")
                            .arg(names.join(u", "), QuotedIdentifier(schema.name), FilterCondition(filter, {}, values));
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
                            .arg(QuotedIdentifier(SchemaOf(table).name), FilterCondition(filter, {}, values));
    qint64 rows = 0;
    db().readTexts(sql, values, [&](TextRow row) {
        rows = row[0].toLongLong();
        return false;
    });
    return rows;
}

} // namespace morva
