#include "records/ui/subject_panel.h"

#include "records/columns.h"
#include "records/table_view.h"
#include "ui/bound_field.h"
#include "ui/controls.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>

namespace morva {

QGroupBox *CreateSubjectPanel(QWidget *parent, const QString &name, TableView &subjects,
                              const QStringList &fieldNames, int fieldsPerRow)
{
    const struct {
        QString caption;
        QLatin1String column;
    } fields[] = {
        {QStringLiteral(" :کد"), column::Code},
        {QStringLiteral(" :نام"), column::FName},
        {QStringLiteral(" :نام خانوادگي"), column::LName},
        {QStringLiteral(" :جنس"), column::Jens},
        {QStringLiteral(" :سن"), column::Sen},
        {QStringLiteral(" :وضعيت تاهل"), column::Taahol},
        {QStringLiteral(" :ميزان تحصيلات"), column::Tahsil},
        {QStringLiteral(" :تاريخ"), column::Date},
        {QStringLiteral(" :ساعت"), column::Time},
        {QStringLiteral(" :معشوقه"), column::Morva},
    };
    auto *panel = new QGroupBox(parent);
    panel->setObjectName(name);
    auto *grid = new QGridLayout(panel);
    grid->setVerticalSpacing(2);
    for (int i = 0; i < 10; ++i) {
        auto *field = new QLineEdit(panel);
        field->setObjectName(fieldNames.value(i));
        // Shown to be read: the registration stays as the operator saved it.
        field->setReadOnly(true);
        field->setFocusPolicy(Qt::ClickFocus);

        BindField(field, &subjects, fields[i].column);
        grid->addWidget(FieldCaption(panel, fields[i].caption, field), i / fieldsPerRow, (i % fieldsPerRow) * 2);
        grid->addWidget(field, i / fieldsPerRow, (i % fieldsPerRow) * 2 + 1);
    }
    for (int column = 1; column < fieldsPerRow * 2; column += 2)
        grid->setColumnStretch(column, 1);
    return panel;
}

} // namespace morva
