#include "records/data_files.h"

#include "common/display_text.h"
#include "common/files.h"

#include "records/data_connection.h"
#include "records/data_error.h"
#include "records/subject_code.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlQuery>

namespace morva {
namespace {

QString CreateStatement(const TableSchema &table)
{
    QStringList columns;
    if (table.numberedRows)
        columns << QStringLiteral("\"ID\" INTEGER PRIMARY KEY AUTOINCREMENT");
    for (const QString &c : table.columns)
        columns << QuotedIdentifier(c) + QStringLiteral(" TEXT");
    return QStringLiteral("CREATE TABLE IF NOT EXISTS %1 (%2)").arg(QuotedIdentifier(table.name), columns.join(u", "));
}

bool HasSqliteHeader(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) && f.read(16) == QByteArray("SQLite format 3\0", 16);
}

// The first column of the table that the file lacks (the table's name when it has no such
// table), or nothing.
std::optional<QString> MissingColumn(const DataConnection &db, const TableSchema &table)
{
    QSqlQuery info = db.run(QStringLiteral("PRAGMA table_info(%1)").arg(QuotedIdentifier(table.name)));
    QStringList present;
    while (info.next())
        present << info.value(1).toString();
    for (const QString &c : table.columns) {
        if (!present.contains(c, Qt::CaseInsensitive))
            return c;
    }
    return std::nullopt;
}

// What keeps an existing file from being a data file of this kind: a sentence naming the file
// («%1»), and for a missing column the technical detail on a line of its own. Reads the file
// only.
struct Defect {
    QString sentence;
    QString detail;
    QString text(const QString &path, const QString &more = {}) const
    {
        QString whole = sentence.arg(ShownPath(path)) + more;
        return detail.isEmpty() ? whole : whole + QStringLiteral("\n\n") + detail;
    }
};

std::optional<Defect> DefectOf(const QString &path, DataFile kind, const QString &check)
{
    if (!HasSqliteHeader(path))
        return Defect{QStringLiteral("این برنامه نمی‌تواند فایل اطلاعات «%1» را بخواند؛ شاید این فایل از نسخه‌ی قدیمی "
                                     "برنامه باشد یا آسیب دیده باشد."),
                      {}};
    try {
        DataConnection db(path, QStringLiteral("check"), DataConnection::Access::ReadOnly);
        QSqlQuery result = db.run(QStringLiteral("PRAGMA %1").arg(check));
        if (!result.next() || result.value(0).toString() != QStringLiteral("ok"))
            return Defect{QStringLiteral("فایل اطلاعات «%1» آسیب دیده است."), {}};
        for (const TableSchema *table : TablesOf(kind)) {
            if (const auto missing = MissingColumn(db, *table))
                return Defect{QStringLiteral("فایل اطلاعات «%1» با این نسخه از برنامه سازگار نیست."),
                              QStringLiteral("جدول: %1 — ستونِ ناموجود: %2")
                                  .arg(Isolated(table->name), Isolated(*missing))};
        }
    } catch (const DataError &) {
        return Defect{QStringLiteral("فایل اطلاعات «%1» باز نشد یا آسیب دیده است."), {}};
    }
    return std::nullopt;
}

// A program stopped in the middle of a write (killed, or the power gone) leaves its journal beside
// the file; the check reads without writing and would find the file damaged. The first read of a
// connection that may write rolls the interrupted write back, as SQLite does on any later start.
void RollBackInterruptedWrite(const QString &path)
{
    if (!HasSqliteHeader(path) || !JournalPending(path))
        return;
    try {
        DataConnection(path, QStringLiteral("recover")).run(QStringLiteral("SELECT COUNT(*) FROM sqlite_master"));
    } catch (const DataError &) {
        // The check that follows says what is wrong with the file.
    }
}

void CreateFile(const QString &path)
{
    QFile created(path);
    if (!created.open(QIODevice::WriteOnly | QIODevice::NewOnly) || !created.setPermissions(kOwnerOnly))
        throw DataError(QStringLiteral("فایل اطلاعات «%1» ساخته نشد و برنامه بسته می‌شود. احتمالاً اجازه‌ی نوشتن در این "
                                       "پوشه وجود ندارد یا فضای دیسک پر است؛ لطفاً با مسئول رایانه تماس بگیرید.")
                            .arg(ShownPath(path)),
                        created.errorString());
}

// An existing file is checked before anything is written into it, and left untouched when it
// is not ours; only a missing or empty file gets our tables.
void PrepareFile(DataFile file)
{
    const QString path = DataFilePath(file);
    const QFileInfo info(path);
    const bool fresh = !info.exists() || info.size() == 0;
    if (!info.exists())
        CreateFile(path);
    if (!fresh) {
        RollBackInterruptedWrite(path);
        if (const auto defect = DefectOf(path, file, QStringLiteral("quick_check")))
            throw DataError(defect->text(path, QStringLiteral(" برنامه این فایل را تغییر نمی‌دهد و بسته می‌شود؛ لطفاً با "
                                                             "مسئول رایانه تماس بگیرید.")));
    }
    DataConnection db(file, QStringLiteral("prepare"));
    db.transact([&] {
        for (const TableSchema *table : TablesOf(file)) {
            if (fresh)
                db.run(CreateStatement(*table));
            for (const QString &column : table->indexed)
                db.run(QStringLiteral("CREATE INDEX IF NOT EXISTS %1 ON %2 (%3)")
                           .arg(QuotedIdentifier(table->name + u'_' + column), QuotedIdentifier(table->name),
                                QuotedIdentifier(column)));
        }
        if (file == DataFile::Settings) {
            QSqlQuery rows = db.run(QStringLiteral("SELECT COUNT(*) FROM \"Theme\""));
            if (rows.next() && rows.value(0).toLongLong() == 0)
                db.run(QStringLiteral("INSERT INTO \"Theme\" (\"TH\", \"Name\", \"Adress\") VALUES (?, ?, ?)"),
                       {QStringLiteral("1"), QStringLiteral(""), QStringLiteral("")});
        }
    });
}

} // namespace

bool JournalPending(const QString &path)
{
    for (const QString &suffix : {QStringLiteral("-journal"), QStringLiteral("-wal")}) {
        if (QFileInfo(path + suffix).size() > 0)
            return true;
    }
    return false;
}

QString DataFilePath(DataFile file)
{
    return file == DataFile::Settings ? QStringLiteral("DB/DB.mdb") : QStringLiteral("DB/DB2.mdb");
}

void PrepareDataFiles()
{
    const QString folder = QFileInfo(DataFilePath(DataFile::Settings)).path();
    if (!QFileInfo::exists(folder)) {
        if (!QDir().mkpath(folder) || !QFile::setPermissions(folder, kOwnerOnlyFolder))
            throw DataError(QStringLiteral("پوشه‌ی اطلاعات «%1» ساخته نشد و برنامه بسته می‌شود. احتمالاً اجازه‌ی نوشتن در "
                                           "این مسیر وجود ندارد؛ لطفاً با مسئول رایانه تماس بگیرید.")
                                .arg(ShownPath(folder)));
    }
    PrepareFile(DataFile::Settings);
    PrepareFile(DataFile::Subjects);
    DataConnection subjects(DataFile::Subjects, QStringLiteral("prepare"));
    NormalizeStoredCodes(subjects);
}

std::optional<QString> CheckSubjectsFile(const QString &path, const QString &advice)
{
    const QFileInfo info(path);
    if (!info.isFile() || info.size() == 0)
        return QStringLiteral("فایل «%1» پیدا نشد یا خالی است.").arg(ShownPath(path)) + advice;
    if (const auto defect = DefectOf(path, DataFile::Subjects, QStringLiteral("integrity_check")))
        return Defect{QStringLiteral("فایل «%1» اطلاعات آزمودنی‌های این برنامه را در بر ندارد یا آسیب دیده است."),
                      defect->detail}
            .text(path, advice);
    return std::nullopt;
}

} // namespace morva
