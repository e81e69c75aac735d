#pragma once

#include "ui/window_frame.h"

#include <QPixmap>
#include <QWidget>

class QLabel;

namespace morva {

// The preview of a newly chosen theme. It takes the main window's place while it is open;
// its picture button, or its close box, closes it, and whoever handed over to it then brings
// the main window back in the new theme.
class Frmskin : public QWidget {
    Q_OBJECT

public:
    // Throws DataError when the settings cannot be read.
    explicit Frmskin(Stores &stores, QWidget *parent = nullptr);
    ~Frmskin() override;

Q_SIGNALS:
    // The window has closed: whoever handed over to it takes the screen back.
    void closed();

protected:
    void closeEvent(QCloseEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QLabel *pictureButton(const QString &name, const QString &picture);
    void onK1MouseMoved();
    void onK2Clicked();

    WindowFrame frame_;
    QPixmap background_;
    QLabel *k1_ = nullptr; // the picture button's normal look
    QLabel *k2_ = nullptr; // its look under the mouse; the only one that answers a click
};

} // namespace morva
