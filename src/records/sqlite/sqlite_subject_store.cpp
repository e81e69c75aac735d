#include "records/sqlite/sqlite_subject_store.h"

#include "common/files.h"
#include "records/data_error.h"
#include "records/sqlite/data_connection.h"
#include "records/sqlite/data_files.h"
#include "records/sqlite/subjects_file.h"

namespace morva {

SqliteSubjectStore::SqliteSubjectStore(const QString &path) : path_(path)
{
    PrepareDataFile(path_, DataFile::Subjects);
    db_ = std::make_unique<DataConnection>(path_, QStringLiteral("subjects"));
}

SqliteSubjectStore::~SqliteSubjectStore() = default;

SqlConnection &SqliteSubjectStore::db()
{
    if (!db_)
        db_ = std::make_unique<DataConnection>(path_, QStringLiteral("subjects"));
    return *db_;
}

QString SqliteSubjectStore::utf8Length(const QString &expression) const
{
    // The file keeps its texts in UTF-8: as bytes, a text is as long as it is stored.
    return QStringLiteral("LENGTH(CAST(%1 AS BLOB))").arg(expression);
}

QString SqliteSubjectStore::shownName() const
{
    return QStringLiteral("فایل اطلاعات آزمودنی‌ها «%1»").arg(ShownPath(path_));
}

std::optional<QString> SqliteSubjectStore::backupTo(const QString &path, const BetweenChunks &progress,
                                                   const BackupWriter &write)
{
    db_.reset(); // the file holds every change by itself while it is copied
    if (const auto unsettled = SettleDatabaseFile(path_))
        throw DataError(*unsettled + u'\n' + QStringLiteral("لطفاً پنجره‌های دیگر برنامه را ببندید و دوباره امتحان کنید."));
    return write(path_, path, progress);
}

RestoreOutcome SqliteSubjectStore::restoreFrom(const QString &backup, const QString &kept, const QString &advice,
                                               const BetweenChunks &progress)
{
    db_.reset();
    RestoreOutcome outcome = RestoreSubjectsFile(backup, path_, kept, advice, progress);
    // A backup of an earlier version is brought forward as the program's own file is at start.
    if (outcome.stop == RestoreOutcome::Stop::None)
        PrepareDataFile(path_, DataFile::Subjects);
    return outcome;
}

} // namespace morva
