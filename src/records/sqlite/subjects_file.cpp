#include "records/sqlite/subjects_file.h"

#include "common/display_text.h"
#include "common/files.h"
#include "records/data_error.h"
#include "records/sqlite/data_connection.h"
#include "records/sqlite/data_files.h"

#include <QFile>
#include <QFileInfo>
#include <QSqlQuery>

namespace morva {
namespace {

// The database at source, with whatever its journal holds, written whole to copy by SQLite itself;
// false when it cannot be read.
bool ReadWhole(const QString &source, const QString &copy)
{
    QFile::remove(copy);
    try {
        {
            const DataConnection db(source, QStringLiteral("restore"), DataConnection::Access::ReadOnly);
            db.run(QStringLiteral("VACUUM INTO ?"), {copy});
        }
        // The copy keeps the source's journal mode: the live file keeps its journal beside it
        // only while it writes.
        DataConnection(copy, QStringLiteral("restore")).run(QStringLiteral("PRAGMA journal_mode=DELETE"));
    } catch (const DataError &) {
        QFile::remove(copy);
        return false;
    }
    return QFile::setPermissions(copy, kOwnerOnly);
}

} // namespace

std::optional<QString> SettleDatabaseFile(const QString &path)
{
    if (DataConnection::OpenCount(path) > 0)
        return QStringLiteral("فایل اطلاعات آزمودنی‌ها هنوز در پنجره‌ی دیگری از برنامه باز است.");
    if (!JournalPending(path))
        return std::nullopt;
    const QString unsettled = QStringLiteral("در فایل اطلاعات آزمودنی‌ها یک تغییر نیمه‌تمام مانده است که برنامه نتوانست آن را لغو کند.");
    try {
        // The first read of a connection rolls an interrupted write back; the last connection
        // to close moves a write-ahead log into the file.
        DataConnection db(path, QStringLiteral("settle"));
        db.run(QStringLiteral("SELECT COUNT(*) FROM sqlite_master"));
        db.run(QStringLiteral("PRAGMA wal_checkpoint(TRUNCATE)"));
    } catch (const DataError &error) {
        return unsettled + u'\n' + error.detail();
    }
    if (JournalPending(path))
        return unsettled;
    return std::nullopt;
}

std::optional<QString> CheckSubjectsFile(const QString &path, const QString &advice)
{
    const QFileInfo info(path);
    if (!info.isFile() || info.size() == 0)
        return QStringLiteral("فایل «%1» پیدا نشد یا خالی است.").arg(ShownPath(path)) + advice;
    if (const auto defect = DefectOf(path, DataFile::Subjects, FileCheck::Pages))
        return FileDefect{QStringLiteral("فایل «%1» اطلاعات آزمودنی‌های این برنامه را در بر ندارد یا آسیب دیده است."),
                          defect->detail}
            .text(path, advice);
    return std::nullopt;
}

std::optional<qint64> SubjectsInBackup(const QString &path)
{
    if (!QFileInfo(path).isFile())
        return std::nullopt;
    try {
        const DataConnection db(path, QStringLiteral("count"), DataConnection::Access::ReadOnly);
        QSqlQuery q = db.run(QStringLiteral("SELECT COUNT(*) FROM \"IDE\""));
        return q.next() ? std::optional<qint64>(q.value(0).toLongLong()) : std::nullopt;
    } catch (const DataError &) {
        return std::nullopt;
    }
}

RestoreOutcome RestoreSubjectsFile(const QString &backup, const QString &live, const QString &kept,
                                   const QString &advice, const BetweenChunks &betweenChunks)
{
    using Stop = RestoreOutcome::Stop;
    if (const auto unsettled = SettleDatabaseFile(live))
        return {Stop::StoreBusy, *unsettled};
    QString source = backup;
    const QString scratch = live + QStringLiteral(".restoring");
    const struct Cleanup {
        QString path;
        ~Cleanup() { QFile::remove(path); }
    } cleanup{scratch};
    if (QFileInfo::exists(backup)) {
        // A backup that cannot be read whole is checked as it stands, which says what is wrong.
        if (JournalPending(backup) && ReadWhole(backup, scratch))
            source = scratch;
        if (const auto refusal = CheckSubjectsFile(source, advice))
            return {Stop::NotABackup, CheckSubjectsFile(backup, advice).value_or(*refusal)};
        if (const auto failed = CopyDatabaseFile(live, kept, betweenChunks))
            return {Stop::NotKept, *failed};
    }
    if (const auto failed = CopyDatabaseFile(source, live, betweenChunks))
        return {Stop::NotCopied, *failed};
    return {};
}

} // namespace morva
