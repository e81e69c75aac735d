#include "records/subject.h"

#include "records/columns.h"

namespace morva {

const QList<SubjectColumn> &SubjectColumns()
{
    static const QList<SubjectColumn> columns{
        {column::Code, &Subject::code, QStringLiteral("کد آزمودنی")},
        {column::FName, &Subject::firstName, QStringLiteral("نام")},
        {column::LName, &Subject::lastName, QStringLiteral("نام خانوادگی")},
        {column::Sen, &Subject::age, QStringLiteral("سن")},
        {column::Tahsil, &Subject::education, QStringLiteral("تحصیلات")},
        {column::Date, &Subject::date, QStringLiteral("تاریخ ثبت‌نام")},
        {column::Time, &Subject::time, QStringLiteral("ساعت ثبت‌نام")},
        {column::Jens, &Subject::gender, QStringLiteral("جنسیت")},
        {column::Taahol, &Subject::maritalStatus, QStringLiteral("وضعیت تأهل")},
        {column::Morva, &Subject::beloved, QStringLiteral("نام معشوق")},
        {column::Group, &Subject::group, QStringLiteral("گروه")},
    };
    return columns;
}

qsizetype ColumnOf(QString Subject::*particular)
{
    const QList<SubjectColumn> &columns = SubjectColumns();
    for (qsizetype i = 0; i < columns.size(); ++i) {
        if (columns[i].particular == particular)
            return i;
    }
    return -1;
}

QString ParticularLabel(QString Subject::*particular)
{
    const qsizetype column = ColumnOf(particular);
    return column < 0 ? QString() : SubjectColumns()[column].label;
}

} // namespace morva
