#include "records/sqlite/subjects_file.h"

#include "common/display_text.h"
#include "common/files.h"
#include "records/data_error.h"
#include "records/sqlite/data_connection.h"
#include "records/sqlite/data_files.h"

#include <QFile>
#include <QFileInfo>
#include <QSqlQuery>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <future>

#include <fcntl.h>
#include <unistd.h>

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

// Keeps the live file at kept before a restore replaces it. Where the backups' folder is on the
// live file's disk, kept becomes a second name of the live file: once the restored file takes the
// live name, the present file itself stays behind as the kept one, without a byte copied or a byte
// of the disk taken. Elsewhere (another disk, a file system without such names, a kept name that
// is taken) it is copied whole. The system's words when it could not be kept, or nothing.
std::optional<QString> KeepLiveFile(const QString &live, const QString &kept, const BetweenChunks &betweenChunks)
{
    if (::link(QFile::encodeName(live).constData(), QFile::encodeName(kept).constData()) != 0)
        return CopyDatabaseFile(live, kept, betweenChunks);
    // The new name is on the disk before the live file is replaced.
    const int folder = ::open(QFile::encodeName(QFileInfo(kept).absolutePath()).constData(), O_RDONLY | O_DIRECTORY);
    const bool synced = folder >= 0 && ::fsync(folder) == 0;
    const int reason = errno;
    if (folder >= 0)
        ::close(folder);
    if (synced)
        return std::nullopt;
    QFile::remove(kept);
    return QString::fromLocal8Bit(std::strerror(reason));
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

std::optional<QString> CheckSubjectsFile(const QString &path, const QString &advice, const QString &shownAs)
{
    const QString shown = shownAs.isEmpty() ? path : shownAs;
    const QFileInfo info(path);
    if (!info.isFile() || info.size() == 0)
        return QStringLiteral("فایل «%1» پیدا نشد یا خالی است.").arg(ShownPath(shown)) + advice;
    if (const auto defect = DefectOf(path, DataFile::Subjects, FileCheck::Pages))
        return FileDefect{QStringLiteral("فایل «%1» اطلاعات آزمودنی‌های این برنامه را در بر ندارد یا آسیب دیده است."),
                          defect->detail}
            .text(shown, advice);
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
    const QString incoming = live + QStringLiteral(".incoming");
    const struct Cleanup {
        QStringList paths;
        ~Cleanup()
        {
            for (const QString &path : paths)
                QFile::remove(path);
        }
    } cleanup{{scratch, incoming}};
    if (!QFileInfo::exists(backup)) {
        QFile missing(backup);
        missing.open(QIODevice::ReadOnly); // for the system's words
        return {Stop::NotCopied, missing.errorString()};
    }
    // A backup that cannot be read whole is checked as it stands, which says what is wrong.
    if (JournalPending(backup) && ReadWhole(backup, scratch))
        source = scratch;
    // The backup is checked on a thread of its own while its bytes are copied beside the live file
    // (their progress stays on the caller's thread). Only a whole copy of a sound backup is
    // restored: the live file is kept, then the copy takes its place.
    auto check = std::async(std::launch::async, [&] { return CheckSubjectsFile(source, advice); });
    const auto notCopied = CopyDatabaseFile(source, incoming, betweenChunks);
    if (const auto refusal = check.get())
        return {Stop::NotABackup, CheckSubjectsFile(backup, advice).value_or(*refusal)};
    if (notCopied)
        return {Stop::NotCopied, *notCopied};
    if (const auto notKept = KeepLiveFile(live, kept, betweenChunks))
        return {Stop::NotKept, *notKept};
    if (std::rename(QFile::encodeName(incoming).constData(), QFile::encodeName(live).constData()) != 0) {
        const QString why = QString::fromLocal8Bit(std::strerror(errno));
        QFile::remove(kept); // nothing was replaced (and a second name of the live file must not stay)
        return {Stop::NotCopied, why};
    }
    return {};
}

} // namespace morva
