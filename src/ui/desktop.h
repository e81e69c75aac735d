#pragma once

#include "appearance/maker.h"

class QString;
class QWidget;

namespace morva {

// Asks the desktop to open one of the maker's pages in the default browser; does not wait.
void OpenMakerPage(MakerPage page);

// Asks the desktop to open a page of this computer, given as the file's path, in the default
// browser; does not wait. False when the desktop has no browser to hand it to.
bool OpenInBrowser(const QString &path);

// Starts the first desktop calculator found as a separate process. When none can be started,
// says so in a message box owned by owner.
void StartCalculator(QWidget *owner);

} // namespace morva
