#include "support/data_support.h"

#include "records/sqlite/data_connection.h"
#include "records/sqlite/data_files.h"
#include "records/sqlite/sqlite_settings_store.h"
#include "records/sqlite/sqlite_subject_store.h"

#include <QDebug>
#include <QDir>
#include <QProcess>
#include <QRegularExpression>

namespace morva::testing {

DataFolder::DataFolder(bool prepare) : previous_(QDir::currentPath())
{
    QDir::setCurrent(dir_.path());
    if (prepare)
        PrepareDataFiles();
}

void PrepareDataFiles()
{
    PrepareDataFolder();
    for (const DataFile file : {DataFile::Settings, DataFile::Subjects})
        PrepareDataFile(DataFilePath(file), file);
}

Stores &DataFolder::stores()
{
    if (!stores_) {
        settings_ = std::make_unique<SqliteSettingsStore>(file(DataFilePath(DataFile::Settings)));
        subjects_ = std::make_unique<SqliteSubjectStore>(file(DataFilePath(DataFile::Subjects)));
        stores_ = std::make_unique<Stores>(Stores{*settings_, *subjects_});
    }
    return *stores_;
}

void DataFolder::closeStores()
{
    stores_.reset();
    subjects_.reset();
    settings_.reset();
}

void DataFolder::enter() const
{
    QDir::setCurrent(dir_.path());
}

DataFolder::~DataFolder()
{
    closeStores();
    QDir::setCurrent(previous_);
}

void InsertSubject(DataConnection &db, const StoredSubject &s)
{
    if (s.subjectRow)
        db.run(QStringLiteral("INSERT INTO \"IDE\" (\"Code\", \"FName\", \"LName\", \"Sen\", \"Tahsil\", \"Date\", "
                              "\"Time\", \"Jens\", \"Taahol\", \"Morva\", \"Group\") VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"),
               {s.code, s.firstName, s.lastName, s.age, s.education, s.date, s.time, s.gender, s.maritalStatus,
                s.beloved, s.group});
    if (!s.answerRow)
        return;
    QString sql = QStringLiteral("INSERT INTO \"Answer\" (\"Code\", \"Group\"");
    QVariantList values{s.code, s.group};
    for (int item = 1; item <= 45; ++item) {
        sql += QStringLiteral(", \"%1\"").arg(item);
        values << (s.answers.isEmpty() ? QVariant() : QVariant(s.answers.value(item - 1)));
    }
    db.run(sql + QStringLiteral(") VALUES (?") + QStringLiteral(", ?").repeated(46) + u')', values);
}

void InsertSubject(const QString &code, const QString &firstName, const QString &beloved, const QStringList &answers,
                   bool withSubjectRow)
{
    DataConnection db(DataFile::Subjects, QStringLiteral("test setup"));
    StoredSubject subject;
    subject.code = code;
    subject.firstName = firstName;
    subject.beloved = beloved;
    subject.answers = answers;
    subject.subjectRow = withSubjectRow;
    InsertSubject(db, subject);
}

QSet<QString> PlainWords(const QString &text)
{
    QString plain = text.normalized(QString::NormalizationForm_KC);
    plain.remove(QRegularExpression(QStringLiteral("[\u200c\u200d\u200e\u200f\u202a-\u202e\u2066-\u2069]")));
    plain.replace(QChar(0x064A), QChar(0x06CC)).replace(QChar(0x0643), QChar(0x06A9));
    // A font may draw Persian and Arabic-Indic digits with one glyph, which a PDF then reads back as
    // either: both count as Persian digits.
    for (QChar &c : plain) {
        if (c >= QChar(0x0660) && c <= QChar(0x0669))
            c = QChar(c.unicode() - 0x0660 + 0x06F0);
    }
    const QStringList words = plain.split(QRegularExpression(QStringLiteral("[\\s:،؛.()]+")), Qt::SkipEmptyParts);
    return QSet<QString>(words.begin(), words.end());
}

QByteArray OutputOf(const QString &program, const QStringList &arguments)
{
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(60000) || process.exitCode() != 0) {
        qWarning().noquote() << process.readAllStandardError();
        return {};
    }
    return process.readAllStandardOutput();
}

QSet<QString> PdfWords(const QString &pdfPath)
{
    QProcess text;
    text.start(QStringLiteral("pdftotext"), {QStringLiteral("-enc"), QStringLiteral("UTF-8"), pdfPath, QStringLiteral("-")});
    if (!text.waitForFinished() || text.exitCode() != 0)
        return {};
    return PlainWords(QString::fromUtf8(text.readAllStandardOutput()));
}

} // namespace morva::testing
