#pragma once

#include "records/server_choice.h"
#include "records/sql/sql_subject_store.h"

#include <memory>
#include <optional>

namespace morva {

class ServerConnection;

// The subjects of a clinic with several rooms, on a PostgreSQL server that every room's desk
// reaches at the same time: the same tables and columns as the desk's file, created on the first
// connection to an empty database, at the same version with the same migrations. A backup is a
// subjects file like a desk's, made from one consistent snapshot; a restore replaces the server's
// subjects in one transaction.
class PostgresSubjectStore final : public SqlSubjectStore {
public:
    // Connects and prepares the tables. Throws ServerNeedsPassword or DataError.
    PostgresSubjectStore(const ServerChoice &server, const std::optional<QString> &password);
    ~PostgresSubjectStore() override;

    QString shownName() const override;
    using SubjectStore::backupTo;
    std::optional<QString> backupTo(const QString &path, const BetweenChunks &progress,
                                    const BackupWriter &write) override;
    RestoreOutcome restoreFrom(const QString &backup, const QString &kept, const QString &advice,
                               const BetweenChunks &progress) override;

    // The desk's subjects copied into the server: how many codes went, and those left out
    // because the server has them already.
    struct Taken {
        qint64 taken = 0;
        QStringList leftOut;
    };
    // Copies the subjects of the desk's file at path into the server in one transaction, but for
    // those whose code the server already has (the file stays as it is).
    Taken takeSubjectsOf(const QString &path);

protected:
    SqlConnection &db() override;
    void holdCode(const QString &code) override;
    QString utf8Length(const QString &expression) const override;
    void readOneMoment() override;

private:
    void prepareTables();
    // Brings the server's statistics of both tables up to date after many rows arrived at once.
    void measureTables();
    // Every row of source's subjects, answers and sessions, appended to the server's tables in
    // their order; source has the tables of its version.
    void copyRowsFrom(SqlConnection &source, int sourceVersion, const QStringList &leftOut);

    ServerChoice server_;
    std::unique_ptr<ServerConnection> db_;
};

} // namespace morva
