#pragma once

#include <QGroupBox>

namespace morva {

// The main window's settings menu: the clinic's name, the choice of theme, where the subjects are
// kept (the clinic's shared server or the desk's own file), and leaving the settings.
class SettingsMenu : public QGroupBox {
    Q_OBJECT

public:
    explicit SettingsMenu(QWidget *parent);

Q_SIGNALS:
    void clinicPanelRequested();  // " تعريف نام کلينيک"
    void themePanelRequested();   // "تغيير تم برنامه"
    void sharedServerRequested(); // «پایگاه داده‌ی مشترک»
    void closeRequested();        // "خروج"
};

} // namespace morva
