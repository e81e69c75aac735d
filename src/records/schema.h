#pragma once

#include <QString>
#include <QStringList>

namespace morva {

enum class DataFile { Settings, Subjects };

struct TableSchema {
    QString name;
    DataFile file;
    QStringList columns; // every column but the row identifier, in table order
    bool numberedRows;   // has an ID column that the table numbers itself
    QStringList indexed; // columns that lookups compare, each with an index of its own
    int since = 1;       // the version of the data file that first has the table
};

const TableSchema &ThemeTable();
const TableSchema &SubjectTable(); // IDE
const TableSchema &AnswerTable();
// Each administration of the test, kept when its answers are saved.
const TableSchema &SessionTable();

// The tables a data file holds.
QList<const TableSchema *> TablesOf(DataFile file);

// The schema of a table by its name (case ignored); throws std::invalid_argument for others.
const TableSchema &SchemaOf(const QString &table);

// The column of the table whose name matches ignoring case; throws std::invalid_argument.
QString CanonicalColumn(const TableSchema &table, const QString &column);

} // namespace morva
