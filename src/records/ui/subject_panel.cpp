#include "records/ui/subject_panel.h"

#include "common/display_text.h"
#include "ui/controls.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>

namespace morva {
namespace {

struct PanelField {
    QString caption;
    QString Subject::*particular;
};

const PanelField kFields[] = {
    {QStringLiteral(" :کد"), &Subject::code},
    {QStringLiteral(" :نام"), &Subject::firstName},
    {QStringLiteral(" :نام خانوادگي"), &Subject::lastName},
    {QStringLiteral(" :جنس"), &Subject::gender},
    {QStringLiteral(" :سن"), &Subject::age},
    {QStringLiteral(" :وضعيت تاهل"), &Subject::maritalStatus},
    {QStringLiteral(" :ميزان تحصيلات"), &Subject::education},
    {QStringLiteral(" :تاريخ"), &Subject::date},
    {QStringLiteral(" :ساعت"), &Subject::time},
    {QStringLiteral(" :معشوقه"), &Subject::beloved},
};

} // namespace

SubjectPanel::SubjectPanel(QWidget *parent, const QString &name, const QStringList &fieldNames, int fieldsPerRow)
    : QGroupBox(parent)
{
    setObjectName(name);
    auto *grid = new QGridLayout(this);
    grid->setVerticalSpacing(2);
    for (int i = 0; i < int(std::size(kFields)); ++i) {
        auto *field = new QLineEdit(this);
        field->setObjectName(fieldNames.value(i));
        // Shown to be read: the registration stays as the operator saved it.
        field->setReadOnly(true);
        field->setFocusPolicy(Qt::ClickFocus);
        fields_ << field;
        grid->addWidget(FieldCaption(this, kFields[i].caption, field), i / fieldsPerRow, (i % fieldsPerRow) * 2);
        grid->addWidget(field, i / fieldsPerRow, (i % fieldsPerRow) * 2 + 1);
    }
    for (int column = 1; column < fieldsPerRow * 2; column += 2)
        grid->setColumnStretch(column, 1);
}

void SubjectPanel::showSubject(const std::optional<Subject> &subject)
{
    for (int i = 0; i < fields_.size(); ++i) {
        QLineEdit *field = fields_[i];
        field->setText(subject ? (*subject).*kFields[i].particular : QString());
        field->setCursorPosition(0);
        field->setToolTip(PlainToolTip(field->text()));
    }
}

} // namespace morva
