#pragma once

#include <QStringList>

#include <functional>
#include <optional>

namespace morva {

class DataConnection;

// One subject of table IDE with the answers of the first row of table Answer under the same code.
struct SubjectWithAnswers {
    QStringList particulars; // the columns of IDE, in table order
    QStringList answers;     // items 1 to 45; all empty when there is no answer row
    bool hasAnswerRow = false;

    QString particular(const QString &column) const;
};

// Where a column of IDE stands among the particulars (-1 for none): for code that reads many
// subjects and should look each column up once.
qsizetype ParticularIndex(const QString &column);

// Only the subjects whose column of IDE equals the value exactly.
struct SubjectFilter {
    QString column;
    QString value;
};

// How many subjects of IDE pass the filter (every subject without one).
qint64 CountSubjects(const DataConnection &connection, const std::optional<SubjectFilter> &filter);

// Hands every subject of IDE that passes the filter, in table order, to visit, one at a time, and
// stops early when visit returns false. Rows are read from the file as they are visited, so
// memory stays the same however long the table is. Throws DataError.
void ForEachSubject(const DataConnection &connection, const std::optional<SubjectFilter> &filter,
                    const std::function<bool(const SubjectWithAnswers &)> &visit);

} // namespace morva
