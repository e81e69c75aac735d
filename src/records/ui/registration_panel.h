#pragma once

#include "records/subject_store.h"

#include <QGroupBox>

class QComboBox;
class QLineEdit;
class QPushButton;

namespace morva {

class TableView;

// The main window's registration panel: the particulars of a new subject, checked and saved as
// one subject row and one empty answer row.
class RegistrationPanel : public QGroupBox {
    Q_OBJECT

public:
    // store: where the subject is registered; subjects and answers: the main window's views of
    // IDE (holding the pending subject) and Answer; lookup: its view of IDE for finding codes
    // already registered.
    RegistrationPanel(SubjectStore &store, TableView &subjects, TableView &answers, TableView &lookup, QWidget *parent);

    // Opens the panel with a blank pending subject row, the time and today's Persian date.
    void Start();

Q_SIGNALS:
    // Saved or cancelled: the main window closes its panels, discarding an unsaved subject.
    void closeRequested();

private:
    QLineEdit *addField(const char *name, const QString &label, int left, int top, int width, int labelWidth);
    void addCaption(const QString &label, int fieldRight, int top, int width, QWidget *field);
    QComboBox *addList(const char *name, const QString &label, int left, int top, int labelWidth,
                       const QStringList &entries, QLineEdit *copy);
    void setTabOrder();
    void copyLists();
    bool requiredFieldsFilled();
    bool codeAlreadyRegistered();
    SubjectStore::Registration saveSubject();

    void onCommand8Clicked();
    void onCommand10Clicked();

    SubjectStore &store_;
    TableView &subjects_;
    TableView &answers_;
    TableView &lookup_;
    QLineEdit *text11_, *text6_, *text4_, *text5_, *text8_, *text9_, *text7_, *text18_;
    QLineEdit *text15_, *text16_, *text17_;
    QComboBox *combo1_, *combo2_, *combo3_;
    QPushButton *command8_, *command10_;
};

} // namespace morva
