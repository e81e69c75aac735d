#pragma once

#include <QString>

namespace morva {

// The skin file of a theme field's text: "1" -> "chizh.skn" ... "11" -> "office2007.skn".
// The text is read by LeadingNumber; only the whole numbers 1 to 11 match, otherwise "".
QString ThemeSkinFile(const QString &themeFieldText);

} // namespace morva
