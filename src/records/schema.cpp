#include "records/schema.h"

#include <stdexcept>

namespace morva {

QString DataFilePath(DataFile file)
{
    return file == DataFile::Settings ? QStringLiteral("DB/DB.mdb") : QStringLiteral("DB/DB2.mdb");
}

const TableSchema &ThemeTable()
{
    static const TableSchema table{QStringLiteral("Theme"), DataFile::Settings,
                                   {QStringLiteral("TH"), QStringLiteral("Name"), QStringLiteral("Adress")},
                                   false};
    return table;
}

const TableSchema &SubjectTable()
{
    static const TableSchema table{
        QStringLiteral("IDE"), DataFile::Subjects,
        {QStringLiteral("Code"), QStringLiteral("FName"), QStringLiteral("LName"), QStringLiteral("Sen"),
         QStringLiteral("Tahsil"), QStringLiteral("Date"), QStringLiteral("Time"), QStringLiteral("Jens"),
         QStringLiteral("Taahol"), QStringLiteral("Morva"), QStringLiteral("Group")},
        true};
    return table;
}

const TableSchema &AnswerTable()
{
    static const TableSchema table = [] {
        TableSchema t{QStringLiteral("Answer"), DataFile::Subjects,
                      {QStringLiteral("Code"), QStringLiteral("Group")}, true};
        for (int item = 1; item <= 45; ++item)
            t.columns << QString::number(item);
        return t;
    }();
    return table;
}

const TableSchema &SchemaOf(const QString &table)
{
    for (const TableSchema *t : {&ThemeTable(), &SubjectTable(), &AnswerTable()}) {
        if (t->name.compare(table, Qt::CaseInsensitive) == 0)
            return *t;
    }
    throw std::invalid_argument("unknown table " + table.toStdString());
}

QString CanonicalColumn(const TableSchema &table, const QString &column)
{
    for (const QString &c : table.columns) {
        if (c.compare(column, Qt::CaseInsensitive) == 0)
            return c;
    }
    throw std::invalid_argument("unknown column " + column.toStdString() + " of " + table.name.toStdString());
}

QString QuotedIdentifier(const QString &name)
{
    QString quoted = name;
    quoted.replace(u'"', QStringLiteral("\"\""));
    return u'"' + quoted + u'"';
}

} // namespace morva
