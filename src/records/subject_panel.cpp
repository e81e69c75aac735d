#include "records/subject_panel.h"

#include "records/bound_field.h"
#include "records/table_view.h"

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
        const char *column;
    } fields[] = {
        {QStringLiteral(" :کد"), "Code"},
        {QStringLiteral(" :نام"), "FName"},
        {QStringLiteral(" :نام خانوادگي"), "LName"},
        {QStringLiteral(" :جنس"), "Jens"},
        {QStringLiteral(" :سن"), "Sen"},
        {QStringLiteral(" :وضعيت تاهل"), "Taahol"},
        {QStringLiteral(" :ميزان تحصيلات"), "Tahsil"},
        {QStringLiteral(" :تاريخ"), "Date"},
        {QStringLiteral(" :ساعت"), "Time"},
        {QStringLiteral(" :معشوقه"), "Morva"},
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
        BindField(field, &subjects, QLatin1String(fields[i].column));
        auto *caption = new QLabel(fields[i].caption, panel);
        caption->setBuddy(field);
        grid->addWidget(caption, i / fieldsPerRow, (i % fieldsPerRow) * 2);
        grid->addWidget(field, i / fieldsPerRow, (i % fieldsPerRow) * 2 + 1);
    }
    for (int column = 1; column < fieldsPerRow * 2; column += 2)
        grid->setColumnStretch(column, 1);
    return panel;
}

} // namespace morva
