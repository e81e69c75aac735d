#include "records/subject_pair.h"

#include "records/columns.h"
#include "records/table_view.h"

namespace morva {

void SaveNewSubject(TableView &subjects, TableView &answers)
{
    answers.addRow();
    answers.setField(column::Code, subjects.field(column::Code));
    answers.setField(column::Group, subjects.field(column::Group));
    subjects.connection().transact([&] {
        subjects.commit();
        answers.commit();
    });
    subjects.reload();
    answers.reload();
}

} // namespace morva
