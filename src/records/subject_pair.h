#pragma once

namespace morva {

class TableView;

// Saves the subject being registered: the pending row of the subjects view (table IDE) and a
// new row of the answers view (table Answer) with the same Code and Group and every answer
// empty, both in one transaction: both rows reach the file or neither does. Both views are
// reloaded afterwards. Both views must share one connection. Throws DataError; on failure the
// pending subject row is kept as it was, so the save can be tried again.
void SaveNewSubject(TableView &subjects, TableView &answers);

} // namespace morva
