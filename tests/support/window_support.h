#pragma once

#include "support/data_support.h"

#include <QApplication>
#include <QMessageBox>
#include <QString>
#include <QTest>
#include <QTimer>

#include <functional>
#include <memory>

namespace morva::testing {

// Hands the next modal dialog of this class that the program runs to answer, as soon as it
// shows. Fails the running test when none comes within timeoutMs.
void AnswerNextDialog(const QMetaObject &type, std::function<void(QDialog *)> answer, int timeoutMs);

template <class T> void WhenModal(std::function<void(T *)> answer, int timeoutMs = 5000)
{
    AnswerNextDialog(T::staticMetaObject, [answer](QDialog *dialog) { answer(static_cast<T *>(dialog)); }, timeoutMs);
}

// Makes window the active window, as a click on it would; false when it does not become active.
[[nodiscard]] bool Activate(QWidget *window);

// Types text into a widget one character at a time (Persian included).
void TypeText(QWidget *widget, const QString &text);

// The text that a widget's tooltip shows when the pointer rests on the widget (at its centre, or at
// a point of it), as the reader sees it (markup taken away); empty when no tooltip shows.
QString ShownToolTip(QWidget *widget, QPoint at = {-1, -1});

// What a message box showed. For a self-closing prompt, delayMs is the delay its owner's timer
// was armed with; -1 for a plain box.
struct SeenBox {
    bool seen = false;
    QString title;
    QString text;
    int delayMs = -1;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QMessageBox::StandardButton defaultButton = QMessageBox::NoButton; // what Enter presses
};

// Records the next message box and presses button on it; QMessageBox::Escape presses the Escape
// key instead.
// A box that comes later than timeoutMs fails the running test.
std::shared_ptr<SeenBox> AnswerNextBox(QMessageBox::StandardButton button = QMessageBox::Ok, int timeoutMs = 5000);

// The main window's panels that show, of "Frame6", "Frame8", "Frame9" and "Frame10"; a panel
// not yet made (each is made when first opened) does not show.
QStringList VisiblePanels(QWidget *main);

// Opens each panel of the main window with its command, so that every panel is made, and leaves
// them all hidden.
void OpenEveryPanel(QWidget *main);

// Deletes every top-level window that is left, so that the next test starts with none.
void DeleteAllWindows();

// Records and closes every modal dialog that opens while it lives (and that no answer waits
// for), so that a test can show that a step opens none.
class ModalWatch {
public:
    ModalWatch();
    ~ModalWatch();
    QStringList seen; // window titles
};

} // namespace morva::testing
