#include "records/sql/sql_texts.h"

#include "records/columns.h"

#include <QStringList>

namespace morva {

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

QString FilterCondition(const SubjectFilter &filter, const QString &alias, QVariantList &values)
{
    if (filter.isAll())
        return {};
    values << filter.value;
    return QStringLiteral(" AND %1%2 = ?").arg(alias, QuotedIdentifier(FilterColumn(filter.field)));
}

QString FirstRowOf(const QString &table, const QString &code)
{
    return QStringLiteral("(SELECT MIN(\"ID\") FROM %1 WHERE \"Code\" = %2)").arg(QuotedIdentifier(table), code);
}

QString SubjectColumnList(const QString &alias)
{
    QStringList names;
    for (const SubjectColumn &c : SubjectColumns())
        names << alias + QuotedIdentifier(c.name);
    return names.join(u", ");
}

QString AnswerColumnList(const QString &alias)
{
    QStringList names;
    for (int item = 1; item <= AnswerSheet::kItems; ++item)
        names << alias + QuotedIdentifier(column::Answer(item));
    return names.join(u", ");
}

QString TextAt(TextRow row, qsizetype i)
{
    return QString::fromUtf8(row[i]);
}

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

QString LatestSessionOf(const QString &code)
{
    return QStringLiteral("(SELECT MAX(\"ID\") FROM \"Session\" WHERE \"Code\" = %1)").arg(code);
}

} // namespace morva
