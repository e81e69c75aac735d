#pragma once

#include <QString>

namespace morva {

// The user's guide is one Persian HTML page with the pictures of the windows it walks through,
// kept in share/morva/guide. The page's full path, or "" when no copy is found. Looked up first in
// share/morva/guide beside programFolder (programFolder/../share/morva/guide: the build folder's
// copy for a program built there, /usr/share/morva/guide for /usr/bin/morva), then in morva/guide
// of the user's and the machine's data folders (XDG_DATA_HOME, then XDG_DATA_DIRS).
QString UserGuidePath(const QString &programFolder);

// The guide of the running program.
QString UserGuidePath();

} // namespace morva
