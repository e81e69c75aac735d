#pragma once

#include "ui/message_box.h"

#include <QString>

#include <functional>

class QWidget;

namespace morva {

// How a step's failure is shown: the title and style of its message box.
struct FailureBox {
    QString title = QStringLiteral("خطا");
    BoxStyle style = BoxStyle::OkStopRtl;
};

// Runs a step that reads or writes the data files. When the files fail, the user is told why
// in a message box owned by owner, and false is returned; nothing is swallowed silently.
bool RunGuarded(QWidget *owner, const std::function<void()> &step, const FailureBox &box = {});

} // namespace morva
