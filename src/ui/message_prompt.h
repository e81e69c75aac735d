#pragma once

#include <QString>

class QWidget;

namespace morva {

// Short notices: a modal box titled "پيام" with one OK button that closes by itself after the
// delay unless closed earlier. Show() returns once the box has closed, either way.
//
// Each owner window has one prompt timer: showing a prompt (re)arms it with the new delay.
// When a timer fires it closes whichever prompt box is open at that moment, even one that
// belongs to another window.
class MessagePrompt {
public:
    static void Show(QWidget *owner, const QString &text, int delayMs = 1000);
    static QString Title();
};

} // namespace morva
