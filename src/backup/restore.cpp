#include "backup/restore.h"

#include "common/safe_file.h"
#include "records/data_connection.h"
#include "records/data_error.h"
#include "records/data_files.h"
#include "records/subject_stream.h"

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

std::optional<qint64> StoredSubjectCount(const QString &path)
{
    if (!QFileInfo(path).isFile())
        return std::nullopt;
    try {
        const DataConnection db(path, QStringLiteral("count"), DataConnection::Access::ReadOnly);
        return CountSubjects(db, std::nullopt);
    } catch (const DataError &) {
        return std::nullopt;
    }
}

RestoreOutcome RestoreSubjectsFile(const QString &backup, const QString &live, const QString &kept,
                                   const QString &advice, const BetweenChunks &betweenChunks)
{
    using Stop = RestoreOutcome::Stop;
    if (const auto unsettled = SettleDatabaseFile(live))
        return {Stop::LiveBusy, *unsettled};
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
