#pragma once

#include <QString>

class QLineEdit;
class QWidget;

namespace morva {

class TableView;

// Binds a text field to a column of a view: the field shows the column of the current row, and
// what is typed or set into the field becomes that column's value in the row (kept in memory
// until the window hands the row to the store).
void BindField(QLineEdit *field, TableView *view, const QString &column);

// A text field the user never sees, holding a value for its window.
QLineEdit *HiddenField(QWidget *parent, const QString &name, const QString &text = {});

} // namespace morva
