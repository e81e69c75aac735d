#include "records/subject.h"

#include "records/columns.h"

namespace morva {

const QList<SubjectColumn> &SubjectColumns()
{
    static const QList<SubjectColumn> columns{
        {column::Code, &Subject::code},
        {column::FName, &Subject::firstName},
        {column::LName, &Subject::lastName},
        {column::Sen, &Subject::age},
        {column::Tahsil, &Subject::education},
        {column::Date, &Subject::date},
        {column::Time, &Subject::time},
        {column::Jens, &Subject::gender},
        {column::Taahol, &Subject::maritalStatus},
        {column::Morva, &Subject::beloved},
        {column::Group, &Subject::group},
    };
    return columns;
}

} // namespace morva
