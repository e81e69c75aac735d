#pragma once

#include <QSet>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include "records/stores.h"

#include <memory>

namespace morva {
class DataConnection;
class SettingsStore;
class SubjectStore;
}

namespace morva::testing {

// Makes the data folder of the working directory and both data files in it ready, as the program
// does at its start.
void PrepareDataFiles();

// A temporary data folder that is the working directory while the object lives, with its data
// files prepared (unless prepare is false) and, once asked for, the stores of the desk on them.
class DataFolder {
public:
    explicit DataFolder(bool prepare = true);
    ~DataFolder();
    // Makes the folder the working directory again.
    void enter() const;
    QString path() const { return dir_.path(); }
    QString file(const QString &relative) const { return dir_.filePath(relative); }
    // The stores on the folder's files, opened at the first call.
    Stores &stores();
    // Closes the stores, so that a test may do to the files what the program does at its start.
    void closeStores();

private:
    QTemporaryDir dir_;
    QString previous_;
    std::unique_ptr<SettingsStore> settings_;
    std::unique_ptr<SubjectStore> subjects_;
    std::unique_ptr<Stores> stores_;
};

// A subject as registration stores it; the particulars not given are fixed.
struct StoredSubject {
    QString code = {};
    QString firstName = QStringLiteral("سارا");
    QString lastName = QStringLiteral("احمدی");
    QString age = QStringLiteral("34");
    QString education = QStringLiteral("کارشناسی ارشد");
    QString date = QStringLiteral("1403/05/09");
    QString time = QStringLiteral("10:00:00");
    QString gender = QStringLiteral("زن");
    QString maritalStatus = QStringLiteral("متأهل");
    QString beloved = QStringLiteral("علی");
    QString group = QStringLiteral("A");
    QStringList answers = {};  // 45 answers; none: every answer empty
    bool subjectRow = true;    // an IDE row
    bool answerRow = true;     // an Answer row
};

// Writes the subject's rows through the given connection (one transaction is the caller's).
void InsertSubject(DataConnection &db, const StoredSubject &subject);

// Stores a subject in the data folder that is current: its IDE row (unless withSubjectRow is
// false) and its Answer row with these 45 answers (none: every answer empty). The other
// particulars are those of StoredSubject.
void InsertSubject(const QString &code, const QString &firstName, const QString &beloved,
                   const QStringList &answers = {}, bool withSubjectRow = true);

// What a program prints when it ends well within a minute; nothing, with its errors logged,
// otherwise.
QByteArray OutputOf(const QString &program, const QStringList &arguments);

// The words of a text with Arabic-script letters brought to plain, comparable form (letters
// out of their presentation forms, no joiners or direction marks, one form of yeh and kaf,
// Arabic-Indic digits as Persian digits).
QSet<QString> PlainWords(const QString &text);
// The words pdftotext finds in a PDF, in the same form.
QSet<QString> PdfWords(const QString &pdfPath);

} // namespace morva::testing
