#pragma once

class QApplication;

namespace morva {

class SingleInstanceLock;

// Right-to-left layout, the Persian text font and Qt's own Persian translation of the standard
// buttons.
void ConfigureApplication(QApplication &app);

// The program's start: refuses a second instance, makes sure the data files are usable, removes
// what an export killed part-way left in the data folder and shows the main window. Returns
// false when the program must end at once (the user has been told why).
bool StartProgram(SingleInstanceLock &lock);

} // namespace morva
