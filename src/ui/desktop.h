#pragma once

#include "appearance/maker.h"

class QWidget;

namespace morva {

// Asks the desktop to open one of the maker's pages in the default browser; does not wait.
void OpenMakerPage(MakerPage page);

// Starts the first desktop calculator found as a separate process. When none can be started,
// says so in a message box owned by owner.
void StartCalculator(QWidget *owner);

} // namespace morva
