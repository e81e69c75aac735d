#pragma once

#include "ui/window_frame.h"

#include <QWidget>

#include <functional>
#include <memory>

class QGroupBox;
class QLabel;
class QLineEdit;

namespace morva {

class ClinicPanel;
class FrmTest;
class HintLine;
class RegistrationPanel;
class SettingsMenu;
class TableView;
class ThemePanel;

// The main window: the hub from which every other window is reached.
class Frm1 : public QWidget {
    Q_OBJECT

public:
    // Loads the window: places it, applies the stored theme, opens its views.
    // Throws DataError when the stores cannot be read.
    Frm1(Stores &stores, QWidget *parent = nullptr);
    ~Frm1() override;

    // Shows a freshly loaded main window that deletes itself when it closes; nullptr (after
    // telling the user why) when the data files cannot be opened.
    static Frm1 *ShowFresh(Stores &stores);
    // What follows when a main window shown by ShowFresh is left without a hand-over; set once
    // by the shell.
    static void SetLeaveStep(std::function<void()> step);

    // Hides every panel and, unless table IDE is empty, reloads the subjects view, which
    // discards a registration that was not saved.
    void HidePanels();

Q_SIGNALS:
    // The window was closed by the user rather than handed over to another window.
    void leftWithoutHandOver();

protected:
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildCommandBar();
    void buildDecoration();
    RegistrationPanel *registrationPanel();
    SettingsMenu *settingsMenu();
    ClinicPanel *clinicPanel();
    ThemePanel *themePanel();
    bool answersExist();
    template <class Window> void handOver(const std::function<Window *()> &load);

    void onCommand1Clicked();
    void onCommand2Clicked();
    void onCommand3Clicked();
    void onCommand4Clicked();
    void onCommand5Clicked();
    void onCommand6Clicked();
    void onCommand9Clicked();
    void onCommand67Clicked();
    void onCommand68Clicked();
    void onCmdSharedServerClicked();
    void onCommand64Clicked();
    void SelectTheme(int theme);
    void onCommand51Clicked();
    void onCommand11Clicked();
    void onCmdHelpClicked();
    void onPicture1Clicked();
    void onText2Changed(const QString &text);

    WindowFrame frame_;
    TableView *adodc2_ = nullptr; // IDE: registration
    TableView *adodc3_ = nullptr; // Answer: whether the test, scoring and lookup commands act
    TableView *adodc5_ = nullptr; // IDE: lookup of codes already registered

    QLineEdit *text3_ = nullptr; // hand-over flag
    QLabel *skinLabel1_ = nullptr;
    HintLine *skinLabel2_ = nullptr;
    QLabel *picture1_ = nullptr;
    QGroupBox *frame7_ = nullptr;
    // The panels, each made when first opened.
    ThemePanel *frame6_ = nullptr;
    SettingsMenu *frame8_ = nullptr;
    ClinicPanel *frame9_ = nullptr;
    RegistrationPanel *frame10_ = nullptr;
    std::unique_ptr<FrmTest> test_;
};

} // namespace morva
