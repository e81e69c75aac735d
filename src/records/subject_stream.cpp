#include "records/subject_stream.h"

#include "records/columns.h"
#include "records/data_connection.h"
#include "records/schema.h"

#include <QSqlQuery>

namespace morva {
namespace {

QString WhereClause(const std::optional<SubjectFilter> &filter)
{
    return filter ? QStringLiteral(" WHERE s.%1 = ?").arg(QuotedIdentifier(CanonicalColumn(SubjectTable(), filter->column)))
                  : QString();
}

QVariantList WhereValues(const std::optional<SubjectFilter> &filter)
{
    return filter ? QVariantList{filter->value} : QVariantList{};
}

} // namespace

QString SubjectWithAnswers::particular(const QString &column) const
{
    return particulars.value(ParticularIndex(column));
}

qsizetype ParticularIndex(const QString &column)
{
    return SubjectTable().columns.indexOf(CanonicalColumn(SubjectTable(), column));
}

qint64 CountSubjects(const DataConnection &connection, const std::optional<SubjectFilter> &filter)
{
    QSqlQuery q = connection.run(QStringLiteral("SELECT COUNT(*) FROM %1 s%2").arg(QuotedIdentifier(SubjectTable().name),
                                                                                  WhereClause(filter)),
                                 WhereValues(filter));
    return q.next() ? q.value(0).toLongLong() : 0;
}

void ForEachSubject(const DataConnection &connection, const std::optional<SubjectFilter> &filter,
                    const std::function<bool(const SubjectWithAnswers &)> &visit)
{
    const TableSchema &subjects = SubjectTable();
    // Texts are read as their UTF-8 bytes: the engine's own conversion of each value to UTF-16
    // would take most of the time of a long table.
    QStringList columns;
    for (const QString &c : subjects.columns)
        columns << QStringLiteral("CAST(s.%1 AS BLOB)").arg(QuotedIdentifier(c));
    for (int item = 1; item <= column::ItemColumns; ++item)
        columns << QStringLiteral("CAST(a.%1 AS BLOB)").arg(QuotedIdentifier(column::Answer(item)));
    columns << QStringLiteral("a.rowid IS NOT NULL");
    // The first answer row of the same code, found through the index on Answer's Code.
    const QString sql = QStringLiteral("SELECT %1 FROM %2 s LEFT JOIN %3 a ON a.rowid = "
                                       "(SELECT MIN(rowid) FROM %3 WHERE \"Code\" = s.\"Code\")%4 ORDER BY s.rowid")
                            .arg(columns.join(u", "), QuotedIdentifier(subjects.name), QuotedIdentifier(AnswerTable().name),
                                 WhereClause(filter));
    QSqlQuery q = connection.run(sql, WhereValues(filter));
    SubjectWithAnswers subject;
    const int particularCount = static_cast<int>(subjects.columns.size());
    while (q.next()) {
        subject.particulars.clear();
        subject.answers.clear();
        for (int i = 0; i < particularCount; ++i)
            subject.particulars << QString::fromUtf8(q.value(i).toByteArray());
        for (int item = 0; item < column::ItemColumns; ++item)
            subject.answers << QString::fromUtf8(q.value(particularCount + item).toByteArray());
        subject.hasAnswerRow = q.value(particularCount + column::ItemColumns).toBool();
        if (!visit(subject))
            return;
    }
}

} // namespace morva
