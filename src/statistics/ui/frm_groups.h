#pragma once

#include "records/subject_filter.h"
#include "statistics/group_summary_sheet.h"
#include "ui/window_frame.h"

#include <QDialog>

class QComboBox;
class QLabel;

namespace morva {

// The summary of the groups, opened from the lookup window: each group's scores and love types
// and the comparison of two chosen groups, shown on its page as it prints, for the subjects the
// lookup grid lists or for every subject.
class FrmGroups : public QDialog {
    Q_OBJECT

public:
    // listed: the filter of the lookup grid; shownListed: those subjects in a few Persian words.
    // Throws DataError when the settings or the subjects cannot be read.
    FrmGroups(Stores &stores, const SubjectFilter &listed, const QString &shownListed, QWidget *parent = nullptr);

    const GroupSummarySheet &sheet() const { return sheet_; }

private:
    void onComboScopeChanged();
    void onComparedGroupChanged();
    void onCmdPrintClicked();

    void summarize();
    void showPage();

    WindowFrame frame_;
    SubjectFilter listed_;
    QString shownListed_;
    GroupSummarySheet sheet_;

    QComboBox *comboScope_ = nullptr;
    QComboBox *comboFirst_ = nullptr;
    QComboBox *comboSecond_ = nullptr;
    QLabel *page_ = nullptr;
};

} // namespace morva
