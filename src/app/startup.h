#pragma once

#include <memory>

class QApplication;

namespace morva {

class AppContext;
class FontConfigurationLoad;
class SingleInstanceLock;

// Right-to-left layout, the Persian text font and Qt's own Persian translation of the standard
// buttons.
void ConfigureApplication(QApplication &app);

// The program's start: refuses a second instance, opens the stores (making sure the data files are
// usable; asking the password of the clinic's shared server, or whether to go on with the desk's
// own file when the server cannot be used), removes what an export killed part-way left in the
// data folder and shows the main window. Returns the stores the program runs on, to be kept until
// it ends; nothing when the program must end at once (the user has been told why, or chose to).
// A font configuration being loaded is waited for before the main window is made.
std::unique_ptr<AppContext> StartProgram(SingleInstanceLock &lock, FontConfigurationLoad *fonts = nullptr);

} // namespace morva
