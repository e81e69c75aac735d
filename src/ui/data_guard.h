#pragma once

#include <functional>

class QWidget;

namespace morva {

// Runs a step that reads or writes the data files. When the files fail, the user is told why
// in a message box owned by owner, and false is returned; nothing is swallowed silently.
bool RunGuarded(QWidget *owner, const std::function<void()> &step);

} // namespace morva
