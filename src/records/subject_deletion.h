#pragma once

#include <QString>

namespace morva {

class TableView;

// A subject is its first row in IDE and its first row in Answer under the same code, in table
// order; an old file may hold only one of the two.

// Narrows the views of IDE and Answer to the code; returns whether the subject has either row.
// Throws DataError.
bool FindSubjectRows(TableView &subjects, TableView &answers, const QString &code);

// Deletes the subject the two views are narrowed to: the current row of each, in one
// transaction, so that both rows leave the file or neither does. A view without a current row
// has nothing to delete: a subject with one row is deleted whole. Both views must share one
// connection. Throws DataError; the file and the views are then as they were.
void DeleteSubject(TableView &subjects, TableView &answers);

} // namespace morva
