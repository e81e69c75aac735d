#pragma once

#include <QDialog>

class QTextBrowser;

namespace morva {

// The user's guide in a window of the program's own, for a desktop without a browser: the same
// page, with its pictures, right to left. Not modal: it stays open beside the windows it explains,
// also when the main window hands over to another, and deletes itself when closed.
class GuideWindow : public QDialog {
    Q_OBJECT

public:
    explicit GuideWindow(const QString &guidePath);

private:
    QTextBrowser *text_ = nullptr;
};

// Opens the user's guide: in the desktop's browser, else in the program's guide window (one at a
// time: a second call brings it forward). When no copy of the guide is found, says so in a
// message box owned by owner.
void ShowUserGuide(QWidget *owner);

} // namespace morva
