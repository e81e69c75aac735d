#pragma once

#include "ui/window_frame.h"

#include <QWidget>

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTextEdit;

namespace morva {

class TableView;

// The scoring window: selects a subject by code, refuses one with unanswered items, shows the
// three component scores and the love type's explanation, and prints the result sheet. It takes
// the main window's place while it is open and brings a fresh main window back when it closes.
class FrmkLID : public QWidget {
    Q_OBJECT

public:
    // Throws DataError when the data files cannot be opened.
    explicit FrmkLID(QWidget *parent = nullptr);
    ~FrmkLID() override;

Q_SIGNALS:
    // The window has closed: whoever handed over to it takes the screen back.
    void closed();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void buildSubjectPanel();
    void buildScorePanel();
    QStringList answers() const;

    void onCommand1Clicked(); // select a subject
    void onCommand7Clicked(); // compute the scores
    void onCommand5Clicked(); // classify the love type
    void onCommand6Clicked(); // print

    WindowFrame frame_;
    TableView *adodc2_ = nullptr; // Answer, narrowed to the selected subject
    TableView *adodc3_ = nullptr; // IDE, narrowed to the selected subject

    QLineEdit *text5_ = nullptr;   // code of the selected subject, empty when none
    QLineEdit *text13_ = nullptr;  // clinic name
    QLineEdit *text16_ = nullptr;  // clinic address
    QLineEdit *scores_[3] = {};    // Text3(0..2): intimacy, passion, commitment
    QLabel *means_[3] = {};        // mean per item beside each sum
    QTextEdit *text4_ = nullptr;   // explanation
};

} // namespace morva
