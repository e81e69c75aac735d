#pragma once

#include "records/subject.h"

#include <QGroupBox>
#include <QList>
#include <QStringList>

class QLineEdit;

namespace morva {

// A read-only panel of a subject's particulars, each field beside its caption. fieldNames names
// the ten fields in this order: code, first name, last name, gender, age, marital status,
// education, date, time, beloved's name.
class SubjectPanel : public QGroupBox {
    Q_OBJECT

public:
    SubjectPanel(QWidget *parent, const QString &name, const QStringList &fieldNames, int fieldsPerRow);

    // Shows the subject, each long value from its start and whole as its tooltip; nothing shows
    // no one.
    void showSubject(const std::optional<Subject> &subject);
    QLineEdit *field(int index) const { return fields_.at(index); }

private:
    QList<QLineEdit *> fields_;
};

} // namespace morva
