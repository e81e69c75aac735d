#pragma once

#include <QLatin1String>
#include <QList>
#include <QString>

namespace morva {

// A registered subject's particulars, each as the registration stored it.
struct Subject {
    QString code;
    QString firstName;
    QString lastName;
    QString age;
    QString education;
    QString date; // of registration, in the Persian calendar
    QString time; // of registration
    QString gender;
    QString maritalStatus;
    QString beloved; // the name spliced into every item
    QString group;

    friend bool operator==(const Subject &, const Subject &) = default;
};

// A column of table IDE, the particular it holds and our own name for it on the clinician's sheet
// and in research files.
struct SubjectColumn {
    QLatin1String name;
    QString Subject::*particular;
    QString label;
};

// The columns of table IDE, in table order.
const QList<SubjectColumn> &SubjectColumns();
// Where a particular stands in SubjectColumns().
qsizetype ColumnOf(QString Subject::*particular);
// Our own name for a particular: «نام خانوادگی», «تاریخ ثبت‌نام»...
QString ParticularLabel(QString Subject::*particular);

} // namespace morva
