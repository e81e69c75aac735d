#pragma once

#include <QMap>
#include <QMessageBox>
#include <QString>

namespace morva {

// The plain (not self-closing) message boxes: buttons, icon and reading direction by style.
enum class BoxStyle : int {
    Ok = 0,
    YesNoCancel = 3, // Escape answers Cancel
    YesNo = 4,
    OkExclamation = 48,
    OkInformation = 64,
    OkStopRtl = 1048592,
    OkExclamationRtl = 1048624,
    OkInformationRtl = 1048640,
    ServiceNotification = 2097152,
};

// The program's title, shown by a box whose caller gives none.
QString ProgramTitle();

// Shows a modal box and returns the button that closed it (Ok, Yes, No or Cancel). The text is
// shown as it is, never as markup. captions names the buttons by what they do, where the standard
// words could be misread. Enter presses defaultButton; without one, Yes where the box asks, else
// Ok. Escape answers No where there is no Cancel.
QMessageBox::StandardButton ShowMessageBox(QWidget *owner, const QString &text, const QString &title = {},
                                           BoxStyle style = BoxStyle::Ok,
                                           const QMap<QMessageBox::StandardButton, QString> &captions = {},
                                           QMessageBox::StandardButton defaultButton = QMessageBox::NoButton);

// Asks for a line of text in a modal input box; cancelling gives the empty text.
QString InputBox(QWidget *owner, const QString &prompt, const QString &title, const QString &defaultText = {});

} // namespace morva
