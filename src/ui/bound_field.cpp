#include "ui/bound_field.h"

#include "common/display_text.h"
#include "records/table_view.h"

#include <QLineEdit>

namespace morva {

void BindField(QLineEdit *field, TableView *view, const QString &column)
{
    auto show = [field, view, column] {
        field->setText(view->field(column));
        if (field->isReadOnly()) { // shown to be read: a long value from its start, whole as tooltip
            field->setCursorPosition(0);
            field->setToolTip(PlainToolTip(field->text()));
        }
    };
    QObject::connect(view, &TableView::currentRowChanged, field, show);
    QObject::connect(field, &QLineEdit::textChanged, view,
                     [view, column](const QString &text) { view->setField(column, text); });
    show();
}

QLineEdit *HiddenField(QWidget *parent, const QString &name, const QString &text)
{
    auto *field = new QLineEdit(text, parent);
    field->setObjectName(name);
    field->hide();
    return field;
}

} // namespace morva
