#pragma once

#include <QString>

class QWidget;

namespace morva {

// The theme step of a window's loading: the skin of the theme field's number, or the plain look
// when the number names no theme or its skin cannot be read.
void ApplyTheme(QWidget *window, const QString &themeFieldText);

} // namespace morva
