#pragma once

#include "records/sql/sql_subject_store.h"

#include <memory>

namespace morva {

class DataConnection;

// The desk's subjects file (DB/DB2.mdb): the tables IDE and Answer of an SQLite file, reached
// through one connection that the store keeps open, and closes only while the file itself is
// copied or replaced.
class SqliteSubjectStore final : public SqlSubjectStore {
public:
    // The file at path, prepared: created when missing, checked, brought to this program's
    // version. Throws DataError.
    explicit SqliteSubjectStore(const QString &path);
    ~SqliteSubjectStore() override;

    QString path() const { return path_; }

    QString shownName() const override;
    using SubjectStore::backupTo;
    std::optional<QString> backupTo(const QString &path, const BetweenChunks &progress,
                                    const BackupWriter &write) override;
    RestoreOutcome restoreFrom(const QString &backup, const QString &kept, const QString &advice,
                               const BetweenChunks &progress) override;

protected:
    SqlConnection &db() override;
    QString utf8Length(const QString &expression) const override;

private:
    QString path_;
    std::unique_ptr<DataConnection> db_;
};

} // namespace morva
