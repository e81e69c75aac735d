#include "records/subject_deletion.h"

#include "records/columns.h"
#include "records/table_view.h"

namespace morva {

bool FindSubjectRows(TableView &subjects, TableView &answers, const QString &code)
{
    subjects.setFilter(column::Code, code);
    answers.setFilter(column::Code, code);
    return subjects.hasRows() || answers.hasRows();
}

void DeleteSubject(TableView &subjects, TableView &answers)
{
    Q_ASSERT(&subjects.connection() == &answers.connection());
    subjects.connection().transact([&] {
        subjects.deleteRow();
        answers.deleteRow();
    });
}

} // namespace morva
