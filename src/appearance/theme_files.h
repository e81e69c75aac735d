#pragma once

#include <QString>

namespace morva {

// The skin file of a theme field's text: "1" -> "chizh.skn" ... "11" -> "office2007.skn".
// The text is read by LeadingNumber; only the whole numbers 1 to 11 match, otherwise "".
QString ThemeSkinFile(const QString &themeFieldText);

// A skin is a style sheet kept in a file with a fixed name; a file of that name in the working
// directory wins over the copy built into the program. Returns "" when the file is missing,
// empty or unreadable.
QString LoadSkin(const QString &fileName);

} // namespace morva
