#include "ui/bound_field.h"

#include "records/table_view.h"

#include <QLineEdit>
#include <QTextDocument>

namespace morva {

void BindField(QLineEdit *field, TableView *view, const QString &column)
{
    auto show = [field, view, column] {
        field->setText(view->field(column));
        if (field->isReadOnly()) { // shown to be read: a long value from its start, whole as tooltip
            field->setCursorPosition(0);
            // A tooltip reads a text that looks like tags as rich text: such a value goes in
            // escaped, so that it shows as stored and a name like <img src=...> loads nothing.
            const QString text = field->text();
            const QString asTyped = QStringLiteral("<p style=\"white-space:pre-wrap\">%1</p>");
            field->setToolTip(Qt::mightBeRichText(text) ? asTyped.arg(text.toHtmlEscaped()) : text);
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
