#pragma once

#include <QString>

namespace morva {

// The skin file of a theme field's text: "1" -> "chizh.skn" ... "11" -> "office2007.skn".
// The text is read by LeadingNumber; only the whole numbers 1 to 11 match, otherwise "".
QString ThemeSkinFile(const QString &themeFieldText);

// A skin is a style sheet kept in a file with a fixed name, looked up in turn in the working
// directory, in morva/skins of the user's and the machine's data folders (XDG_DATA_HOME, then
// XDG_DATA_DIRS: ~/.local/share, /usr/local/share, /usr/share) and in the copies built into the
// program; a missing, empty or unreadable file, or one that is not a style sheet, passes on to
// the next place. Returns "" when no place has the file.
QString LoadSkin(const QString &fileName);

} // namespace morva
