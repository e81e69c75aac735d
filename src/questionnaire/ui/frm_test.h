#pragma once

#include "records/subject_store.h"
#include "ui/window_frame.h"

#include <QDialog>
#include <QList>
#include <QStringList>

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace morva {
class SubjectPanel;
}

namespace morva {

// The test window: a subject answers the 45 items one at a time, each with a digit 1 to 9.
// The answers are kept in the subject's answer row in memory and written to the file, in one
// transaction, by "ذخيره و خروج" (which first names the items left unanswered, if any, and offers
// to go back to them), or, after asking, when the window is closed otherwise.
class FrmTest : public QDialog {
    Q_OBJECT

public:
    // Loads the window hidden. Throws DataError when the stores cannot be read.
    explicit FrmTest(Stores &stores, QWidget *parent = nullptr);
    ~FrmTest() override;

    // Reads the subject with this code and the answers to go on from; false when the code has no
    // answer row.
    bool SelectSubject(const QString &code);
    // The look between two sessions: the subject panel and the item label showing, the title
    // hidden, the counter at "0".
    void EnterReadyState();

public Q_SLOTS:
    void reject() override;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildSubjectPanel();
    void buildItemArea();
    void buildCommands();
    void attachItem(int item);
    bool leaveAfterAsking();
    bool saveAnswers();
    bool saveDespiteUnanswered(const QList<int> &unanswered);

    void onCommand1Clicked();
    void onCmdNextClicked();
    void onCmdBackClicked();
    void onText6Changed(const QString &text);
    void onText12Changed(const QString &text);
    void onCommand5Clicked();

    WindowFrame frame_;
    QString code_;          // of the subject answering
    qint64 answerRow_ = 0;  // where the store keeps the answers
    QDateTime started_;     // when the subject was chosen: the session's start
    AnswerSheet saved_;     // as read from the store, or as last saved
    AnswerSheet answers_;   // as the subject has answered so far

    QLabel *skinLabel3_ = nullptr; // title
    QLabel *skinLabel4_ = nullptr; // instruction
    SubjectPanel *frame1_ = nullptr; // subject panel
    QLineEdit *text14_ = nullptr;  // beloved's name
    QLineEdit *text1_ = nullptr;   // code
    QLabel *skinLbl5_ = nullptr;   // item statement
    QLineEdit *text6_ = nullptr;   // item counter
    QGroupBox *frame2_ = nullptr;  // answer frame
    QLabel *lblProgress_ = nullptr; // "جمله‌ی ۱۲ از ۴۵", beside the answer box
    QLabel *lblScale_ = nullptr;    // the named points of the scale, beside the answer box
    QLineEdit *text12_ = nullptr;  // answer box
    QPushButton *cmdNext_ = nullptr;
    QPushButton *cmdBack_ = nullptr;
    QPushButton *command1_ = nullptr;
    QPushButton *command5_ = nullptr;
    int currentItem_ = 0; // the item the answer box is attached to; 0 before the first
    bool closing_ = false;
};

} // namespace morva
