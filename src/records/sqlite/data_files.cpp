#include "records/sqlite/data_files.h"

#include "common/database_copy.h"
#include "common/display_text.h"
#include "common/files.h"
#include "records/data_error.h"
#include "records/sqlite/data_connection.h"
#include "records/sql/migrations.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlQuery>

#include <functional>
#include <variant>

#include <sys/stat.h>

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


int StoredVersion(const DataConnection &db)
{
    QSqlQuery q = db.run(QStringLiteral("PRAGMA user_version"));
    const int version = q.next() ? q.value(0).toInt() : 0;
    return version == 0 ? 1 : version; // the first release wrote none
}

// The steps that bring a data file from one version to the next: the step at index i takes a
// file of version i + 1 to version i + 2.
// The settings file's steps: 1 to 2 adds the table of the clinic's shared server, empty while the
// desk keeps its subjects in its own file.
const QList<std::function<void(SqlConnection &)>> &MigrationsOf(DataFile kind)
{
    static const QList<std::function<void(SqlConnection &)>> settings{[](SqlConnection &db) {
        db.run(QStringLiteral("CREATE TABLE \"SharedServer\" (\"Host\" TEXT, \"Port\" TEXT, \"Database\" TEXT, "
                              "\"User\" TEXT, \"TlsMode\" TEXT)"));
    }};
    return kind == DataFile::Subjects ? SubjectsMigrations() : settings;
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

// Keeps the file as it is before it is brought forward from version.
void KeepBeforeMigrating(const QString &path, int version)
{
    const QString kept = path + QStringLiteral(".v%1").arg(version);
    if (const auto failed = CopyDatabaseFile(path, kept))
        throw DataError(QStringLiteral("فایل اطلاعات «%1» باید برای این نسخه از برنامه به‌روز شود، ولی پیش از آن نسخه‌ای از "
                                       "آن در «%2» نگه داشته نشد؛ از این رو فایل تغییری نکرد و برنامه بسته می‌شود. لطفاً "
                                       "جای خالی دیسک را بررسی کنید یا با مسئول رایانه تماس بگیرید.")
                            .arg(ShownPath(path), ShownPath(kept)),
                        *failed);
}

// Whether the file at path is on the disk that holds the data folder.
bool OnDataDisk(const QString &path)
{
    struct stat file {}, folder {};
    return ::stat(QFile::encodeName(path).constData(), &file) == 0
        && ::stat(QFile::encodeName(QFileInfo(DataFilePath(DataFile::Subjects)).absolutePath()).constData(), &folder) == 0
        && file.st_dev == folder.st_dev;
}

QString IndexName(const TableSchema &table, const QString &column)
{
    return table.name + u'_' + column;
}

// The indexes the preparation makes.
QStringList IndexNames(DataFile kind)
{
    QStringList names;
    for (const TableSchema *table : TablesOf(kind)) {
        for (const QString &column : table->indexed)
            names << IndexName(*table, column);
    }
    return names;
}

// Whether a file of the latest version, its tables checked, holds the indexes and (the settings)
// the row that the preparation adds: a file that does needs nothing written at a start.
bool HoldsEverythingMade(const DataConnection &db, DataFile kind)
{
    QSqlQuery indexes = db.run(QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'index'"));
    QStringList present;
    while (indexes.next())
        present << indexes.value(0).toString();
    for (const QString &name : IndexNames(kind)) {
        if (!present.contains(name))
            return false;
    }
    if (kind == DataFile::Settings) {
        QSqlQuery rows = db.run(QStringLiteral("SELECT COUNT(*) FROM \"Theme\""));
        return rows.next() && rows.value(0).toLongLong() > 0;
    }
    return true;
}

struct FileState {
    int version = 1;
    bool complete = false; // of the latest version, with every table, index and row the preparation makes
};

// What the file at path is: its defect, or its version and whether it lacks nothing that the
// preparation of a file makes. Reads the file only, through one connection.
std::variant<FileDefect, FileState> Inspect(const QString &path, DataFile kind, FileCheck check)
{
    if (!HasSqliteHeader(path))
        return FileDefect{QStringLiteral("این برنامه نمی‌تواند فایل اطلاعات «%1» را بخواند؛ شاید این فایل از نسخه‌ی "
                                         "قدیمی برنامه باشد یا آسیب دیده باشد."),
                          {}};
    try {
        const DataConnection db(path, QStringLiteral("check"), DataConnection::Access::ReadOnly);
        const int version = StoredVersion(db);
        if (version > LatestVersion(kind))
            return FileDefect{QStringLiteral("فایل اطلاعات «%1» را نسخه‌ی تازه‌تری از برنامه ساخته است و این نسخه نمی‌تواند "
                                             "آن را به کار ببرد؛ لطفاً برنامه را به‌روز کنید."),
                              QStringLiteral("نسخه‌ی فایل: %1 — نسخه‌ای که این برنامه می‌شناسد: %2")
                                  .arg(version)
                                  .arg(LatestVersion(kind))};
        if (check == FileCheck::Pages) {
            // Read through a mapping of the file (no system call per page) where it is on the data
            // folder's own disk: a file on a stick pulled out mid-check would end the program there
            // instead of failing a read.
            if (OnDataDisk(path))
                db.run(QStringLiteral("PRAGMA mmap_size = 1073741824"));
            QSqlQuery result = db.run(QStringLiteral("PRAGMA quick_check"));
            if (!result.next() || result.value(0).toString() != QStringLiteral("ok"))
                return FileDefect{QStringLiteral("فایل اطلاعات «%1» آسیب دیده است."), {}};
        }
        for (const TableSchema *table : TablesOf(kind)) {
            if (table->since > version)
                continue; // made when the file is brought forward
            if (const auto missing = MissingColumn(db, *table))
                return FileDefect{QStringLiteral("فایل اطلاعات «%1» با این نسخه از برنامه سازگار نیست."),
                                  QStringLiteral("جدول: %1 — ستونِ ناموجود: %2").arg(Isolated(table->name), Isolated(*missing))};
        }
        return FileState{version, version == LatestVersion(kind) && HoldsEverythingMade(db, kind)};
    } catch (const DataError &) {
        return FileDefect{QStringLiteral("فایل اطلاعات «%1» باز نشد یا آسیب دیده است."), {}};
    }
}

} // namespace

int LatestVersion(DataFile kind)
{
    return static_cast<int>(MigrationsOf(kind).size()) + 1;
}

QString FileDefect::text(const QString &path, const QString &more) const
{
    QString whole = sentence.arg(ShownPath(path)) + more;
    return detail.isEmpty() ? whole : whole + QStringLiteral("\n\n") + detail;
}

std::optional<FileDefect> DefectOf(const QString &path, DataFile kind, FileCheck check)
{
    std::variant<FileDefect, FileState> inspected = Inspect(path, kind, check);
    if (auto *defect = std::get_if<FileDefect>(&inspected))
        return std::move(*defect);
    return std::nullopt;
}

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

void PrepareDataFolder()
{
    const QString folder = QFileInfo(DataFilePath(DataFile::Settings)).path();
    if (!QFileInfo::exists(folder) && (!QDir().mkpath(folder) || !QFile::setPermissions(folder, kOwnerOnlyFolder)))
        throw DataError(QStringLiteral("پوشه‌ی اطلاعات «%1» ساخته نشد و برنامه بسته می‌شود. احتمالاً اجازه‌ی نوشتن در "
                                       "این مسیر وجود ندارد؛ لطفاً با مسئول رایانه تماس بگیرید.")
                            .arg(ShownPath(folder)));
}

std::optional<int> DataFileVersion(const QString &path)
{
    if (!HasSqliteHeader(path))
        return std::nullopt;
    try {
        return StoredVersion(DataConnection(path, QStringLiteral("version"), DataConnection::Access::ReadOnly));
    } catch (const DataError &) {
        return std::nullopt;
    }
}

// An existing file is checked before anything is written into it, and left untouched when it
// is not ours; only a missing or empty file gets our tables.
void PrepareDataFile(const QString &path, DataFile kind)
{
    const QFileInfo info(path);
    const bool fresh = !info.exists() || info.size() == 0;
    if (!info.exists())
        CreateFile(path);
    int version = 1; // the tables a fresh file gets first are those of the first release
    if (!fresh) {
        // Every page is read only where a write was interrupted; otherwise a start costs the
        // same with a hundred subjects as with a hundred thousand.
        const FileCheck check = JournalPending(path) ? FileCheck::Pages : FileCheck::Schema;
        RollBackInterruptedWrite(path);
        const std::variant<FileDefect, FileState> inspected = Inspect(path, kind, check);
        if (const auto *defect = std::get_if<FileDefect>(&inspected))
            throw DataError(defect->text(path, QStringLiteral(" برنامه این فایل را تغییر نمی‌دهد و بسته می‌شود؛ لطفاً با "
                                                             "مسئول رایانه تماس بگیرید.")));
        const FileState &state = std::get<FileState>(inspected);
        if (state.complete)
            return; // what follows would write nothing
        version = state.version;
        if (version < LatestVersion(kind))
            KeepBeforeMigrating(path, version);
    }
    DataConnection db(path, QStringLiteral("prepare"));
    db.transact([&] {
        for (const TableSchema *table : TablesOf(kind)) {
            db.run(CreateStatement(*table)); // a table of a later version than the file's too
            for (const QString &column : table->indexed)
                db.run(QStringLiteral("CREATE INDEX IF NOT EXISTS %1 ON %2 (%3)")
                           .arg(QuotedIdentifier(IndexName(*table, column)), QuotedIdentifier(table->name),
                                QuotedIdentifier(column)));
        }
        const auto &migrations = MigrationsOf(kind);
        for (int from = version; from < LatestVersion(kind); ++from)
            migrations[from - 1](db);
        if (version < LatestVersion(kind))
            db.run(QStringLiteral("PRAGMA user_version = %1").arg(LatestVersion(kind)));
        if (kind == DataFile::Settings) {
            QSqlQuery rows = db.run(QStringLiteral("SELECT COUNT(*) FROM \"Theme\""));
            if (rows.next() && rows.value(0).toLongLong() == 0)
                db.run(QStringLiteral("INSERT INTO \"Theme\" (\"TH\", \"Name\", \"Adress\") VALUES (?, ?, ?)"),
                       {QStringLiteral("1"), QStringLiteral(""), QStringLiteral("")});
        }
    });
}

} // namespace morva
