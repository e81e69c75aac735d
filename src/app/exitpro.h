#pragma once

#include "records/stores.h"

#include <QWidget>

class QCheckBox;
class QLabel;
class QTimer;

namespace morva {

// The exit dialog: every leaving of the main window but a hand-over ends here. It asks whether
// the user really means to leave and offers a backup on the way out; the user returns to a
// freshly loaded main window, leaves at once, or leaves through the backup window.
class exitpro : public QWidget {
    Q_OBJECT

public:
    explicit exitpro(Stores &stores, QWidget *parent = nullptr);

Q_SIGNALS:
    // The program is to end now.
    void endRequested();

protected:
    void closeEvent(QCloseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QLabel *picture(const QString &name, const QString &file, int left, const QString &toolTip);
    QTimer *timer(const QString &name, void (exitpro::*onFired)());
    void showNormalPictures();

    void onC2Clicked(); // return
    void onK2Clicked(); // leave
    void onTimer2Fired();
    void onTimer3Fired();
    void onTmCaptionAnimateFired();

    QCheckBox *check1_ = nullptr;
    QLabel *k1_ = nullptr; // leave
    QLabel *k2_ = nullptr; // leave, highlighted
    QLabel *c1_ = nullptr; // return
    QLabel *c2_ = nullptr; // return, highlighted
    QTimer *timer2_ = nullptr;
    QTimer *timer3_ = nullptr;
    Stores &stores_;
};

} // namespace morva
