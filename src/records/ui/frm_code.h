#pragma once

#include "records/subject.h"
#include "records/subject_filter.h"
#include "ui/window_frame.h"

#include <QDialog>

#include <optional>
#include <utility>

class QComboBox;
class QLineEdit;
class QTableView;

namespace morva {

class SubjectListModel;

// The lookup window: finds a forgotten subject code among the registered subjects, listed in a
// grid that the first name, the last name or the group narrows, and deletes a subject, with
// the answers, by code. Modal over the main window.
class FrmCode : public QDialog {
    Q_OBJECT

public:
    // Loads the window listing every subject. Throws DataError when the stores cannot be read.
    explicit FrmCode(Stores &stores, QWidget *parent = nullptr);
    ~FrmCode() override;

private:
    void buildGrid();
    void buildFilters();
    void buildDeletionPanel();
    QComboBox *addFilterInput(const char *name, const QString &caption, int top);

    // Each runs when its input's text changes or an entry is picked from its list.
    void FilterByGroup();
    void FilterByFirstName();
    void FilterByLastName();
    void choose(QComboBox *input, SubjectFilter::Field field);

    void narrowGrid(const SubjectFilter &filter);
    void emptyInputs(const QComboBox *except = nullptr);
    void showEverySubject();
    void fillNameLists();
    void reloadViews();
    static QString DeletionNotice(const QString &code, const std::optional<Subject> &subject);

    void onCommand2Clicked();   // delete the subject whose code is typed
    void onCmdExportClicked(); // export the listed subjects for research
    void onCmdGroupsClicked(); // the summary of the groups

    WindowFrame frame_;
    SubjectListModel *adodc2_ = nullptr; // IDE: the grid
    SubjectFilter shown_;                // what the grid lists now

    QTableView *dataGrid1_ = nullptr;
    QComboBox *dataCombo6_ = nullptr; // first names
    QComboBox *dataCombo1_ = nullptr; // last names
    QComboBox *combo3_ = nullptr;     // groups
    QLineEdit *text3_ = nullptr;      // code to delete
};

} // namespace morva
