#include "records/schema.h"

#include "records/columns.h"
#include "records/subject.h"

#include <stdexcept>

namespace morva {

const TableSchema &ThemeTable()
{
    static const TableSchema table{table::Theme, DataFile::Settings, {column::Th, column::Name, column::Adress}, false, {}};
    return table;
}

const TableSchema &SubjectTable()
{
    static const TableSchema table = [] {
        TableSchema t{table::Subjects, DataFile::Subjects, {}, true, {column::Code, column::FName, column::LName, column::Group}};
        for (const SubjectColumn &c : SubjectColumns())
            t.columns << c.name;
        return t;
    }();
    return table;
}

const TableSchema &AnswerTable()
{
    static const TableSchema table = [] {
        TableSchema t{table::Answers, DataFile::Subjects, {column::Code, column::Group}, true, {column::Code}};
        for (int item = 1; item <= column::ItemColumns; ++item)
            t.columns << column::Answer(item);
        return t;
    }();
    return table;
}

const TableSchema &SessionTable()
{
    static const TableSchema table = [] {
        TableSchema t{table::Sessions,
                      DataFile::Subjects,
                      {column::Code, column::Number, column::Date, column::Started, column::Saved},
                      true,
                      {column::Code},
                      3};
        for (int item = 1; item <= column::ItemColumns; ++item)
            t.columns << column::Answer(item);
        return t;
    }();
    return table;
}

QList<const TableSchema *> TablesOf(DataFile file)
{
    if (file == DataFile::Settings)
        return {&ThemeTable()};
    return {&SubjectTable(), &AnswerTable(), &SessionTable()};
}

const TableSchema &SchemaOf(const QString &table)
{
    for (const TableSchema *t : {&ThemeTable(), &SubjectTable(), &AnswerTable(), &SessionTable()}) {
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

} // namespace morva
