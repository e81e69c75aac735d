#pragma once

#include "records/subject_store.h"
#include "scoring/score_report.h"
#include "scoring/session_history.h"
#include "ui/window_frame.h"

#include <QWidget>

#include <memory>
#include <optional>

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTextEdit;

namespace morva {

class SessionList;
class SheetDocument;
class SubjectPanel;
class TriangleChart;

// The scoring window: selects a subject by code, refuses one with unanswered items, shows the
// three component scores and the love type's explanation, and prints the result sheet. A subject
// tested more than once has their sessions listed: any of them can be shown (the latest at
// first), and the sums are compared with an earlier one, on the chart and under each sum. It takes
// the main window's place while it is open and brings a fresh main window back when it closes.
class FrmkLID : public QWidget {
    Q_OBJECT

public:
    // Throws DataError when the stores cannot be read.
    explicit FrmkLID(Stores &stores, QWidget *parent = nullptr);
    ~FrmkLID() override;

Q_SIGNALS:
    // The window has closed: whoever handed over to it takes the screen back.
    void closed();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void buildSubjectPanel();
    void buildChartPanel();
    void buildScorePanel();
    void buildExplanationPanel();
    // Shows the session of history_ at index: its sums, type and triangle, compared with the first
    // session when it is a later one.
    void showSession(qsizetype index);
    // Lists the sessions before the shown one to compare it with, choosing the one at index.
    void listEarlier(qsizetype index);
    // The shown session against the earlier one chosen: the change of each sum and both triangles.
    void showComparison();
    // The subject with the code and its answers, once the selection's checks pass; a code without
    // an answer row or with unanswered items is refused with their messages. unanswered: what the
    // message on unanswered items says before their list.
    std::optional<SubjectWithAnswers> checkedSubject(const QString &code, const QString &unanswered);
    // Whether a subject is selected for a sheet (code not empty); if not, says so.
    bool subjectSelected(const QString &code);
    void preview(std::unique_ptr<SheetDocument> document);

    void onCommand1Clicked(); // select a subject
    void onCommand7Clicked(); // compute the scores
    void onCommand5Clicked(); // classify the love type
    void onCommand6Clicked(); // print
    void onCmdCompareClicked();
    void onCmdClinicianSheetClicked();
    void onSessionChosen(qsizetype index);
    void onCmbEarlierActivated(int index);

    WindowFrame frame_;
    // The subject on screen and what the answers come to: Text5 empties when the result sheet
    // prints, these stay until the next selection.
    QString selectedCode_;
    SubjectWithAnswers selected_;
    QList<ScoredSession> history_; // the subject's scored sessions, the first first
    qsizetype shown_ = -1;         // which of them is on screen
    ScoreReport report_;

    SubjectPanel *frame5_ = nullptr;

    QLineEdit *text5_ = nullptr;   // code of the selected subject, empty when none
    QLineEdit *text13_ = nullptr;  // clinic name
    QLineEdit *text16_ = nullptr;  // clinic address
    QLineEdit *scores_[3] = {};    // Text3(0..2): intimacy, passion, commitment
    QLabel *ranges_[3] = {};       // under each sum: its range,
    QLabel *levels_[3] = {};       // where it stands against its cut-off,
    QLabel *means_[3] = {};        // and the mean per item,
    QLabel *changes_[3] = {};      // and how far it moved since the earlier session compared
    QLabel *partner_ = nullptr;    // the partner's name, sums and love type
    QTextEdit *text4_ = nullptr;   // explanation
    TriangleChart *chart_ = nullptr;
    QPushButton *compare_ = nullptr;
    SessionList *sessions_ = nullptr;
    QComboBox *earlier_ = nullptr; // the sessions before the shown one, to compare it with
};

} // namespace morva
