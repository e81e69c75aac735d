#pragma once

#include <QString>
#include <QStringList>

class QGroupBox;
class QWidget;

namespace morva {

class TableView;

// A read-only panel of a subject's particulars, each field beside its caption and bound to its
// column of a view of table IDE. fieldNames names the ten fields in this order: code, first
// name, last name, gender, age, marital status, education, date, time, beloved's name.
QGroupBox *CreateSubjectPanel(QWidget *parent, const QString &name, TableView &subjects,
                              const QStringList &fieldNames, int fieldsPerRow);

} // namespace morva
