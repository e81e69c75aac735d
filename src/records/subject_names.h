#pragma once

#include <QString>
#include <QStringList>

namespace morva {

class DataConnection;

// Each value that a column of IDE with an index of its own (FName, LName) holds, once, in Persian
// alphabetical order; empty values are left out. Values differ when any character differs, a
// trailing blank included. Only the column's index is read, one step per distinct value, so the
// time grows with the number of different names rather than with the number of subjects.
// Throws DataError.
QStringList DistinctNames(const DataConnection &subjects, const QString &column);

} // namespace morva
