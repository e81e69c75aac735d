#pragma once

#include <QGroupBox>

namespace morva {

// The main window's eleven theme buttons, one per theme, and its own "خروج".
class ThemePanel : public QGroupBox {
    Q_OBJECT

public:
    explicit ThemePanel(QWidget *parent);

Q_SIGNALS:
    void themeChosen(int theme);
    void closeRequested();
};

} // namespace morva
