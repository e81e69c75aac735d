#pragma once

#include <QString>

class QWidget;

namespace morva {

// Our skin component. A skin is a style sheet kept in a file with a fixed name; a file of that
// name in the working directory wins over the copy installed with the program.
// Returns "" when the file is missing, empty or unreadable.
QString LoadSkin(const QString &fileName);

// The theme step of a window's loading: the skin of the theme field's number, or the plain look
// when the number names no theme or its skin cannot be read.
void ApplyTheme(QWidget *window, const QString &themeFieldText);

} // namespace morva
