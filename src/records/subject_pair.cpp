#include "records/subject_pair.h"

#include "records/table_view.h"

namespace morva {

void SaveNewSubject(TableView &subjects, TableView &answers)
{
    answers.addRow();
    answers.setField(QStringLiteral("Code"), subjects.field(QStringLiteral("Code")));
    answers.setField(QStringLiteral("Group"), subjects.field(QStringLiteral("Group")));
    subjects.connection().transact([&] {
        subjects.commit();
        answers.commit();
    });
    subjects.reload();
    answers.reload();
}

} // namespace morva
