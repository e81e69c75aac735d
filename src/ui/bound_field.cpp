#include "ui/bound_field.h"

#include "records/table_view.h"

#include <QLineEdit>

namespace morva {
namespace {

// A tooltip takes a text with tags as markup (an "<img src=...>" in a stored name would be
// loaded): the value goes in escaped, blanks kept, so that it shows exactly as stored.
QString PlainToolTip(const QString &text)
{
    if (text.isEmpty())
        return {};
    return QStringLiteral("<p style=\"white-space:pre-wrap\">%1</p>").arg(text.toHtmlEscaped());
}

} // namespace

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
