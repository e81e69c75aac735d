#pragma once

#include <QSet>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

namespace morva {
class DataConnection;
}

namespace morva::testing {

// A temporary data folder that is the working directory while the object lives.
class DataFolder {
public:
    explicit DataFolder(bool prepare = true);
    ~DataFolder();
    // Makes the folder the working directory again.
    void enter() const;
    QString path() const { return dir_.path(); }
    QString file(const QString &relative) const { return dir_.filePath(relative); }

private:
    QTemporaryDir dir_;
    QString previous_;
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

// The words of a text with Arabic-script letters brought to plain, comparable form (letters
// out of their presentation forms, no joiners or direction marks, one form of yeh and kaf,
// Arabic-Indic digits as Persian digits).
QSet<QString> PlainWords(const QString &text);
// The words pdftotext finds in a PDF, in the same form.
QSet<QString> PdfWords(const QString &pdfPath);

} // namespace morva::testing
