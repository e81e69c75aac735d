#include "records/postgres/postgres_subject_store.h"

#include "common/database_copy.h"
#include "common/files.h"
#include "records/data_error.h"
#include "records/postgres/server_connection.h"
#include "records/schema.h"
#include "records/sql/migrations.h"
#include "records/sqlite/data_connection.h"
#include "records/sqlite/data_files.h"
#include "records/sqlite/subjects_file.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <QSqlQuery>
#include <QTemporaryFile>

namespace morva {
namespace {

// Every room's first connection may find the database empty at once: one prepares the tables.
constexpr qint64 kPreparationLock = 0x4d6f727661; // "Morva"

QString ColumnList(const TableSchema &table, bool withId)
{
    QStringList names;
    if (withId)
        names << QStringLiteral("\"ID\"");
    for (const QString &c : table.columns)
        names << QuotedIdentifier(c);
    return names.join(u", ");
}

QString CreateStatement(const TableSchema &table)
{
    QStringList columns{QStringLiteral("\"ID\" BIGSERIAL PRIMARY KEY")};
    for (const QString &c : table.columns)
        columns << QuotedIdentifier(c) + QStringLiteral(" TEXT");
    return QStringLiteral("CREATE TABLE IF NOT EXISTS %1 (%2)").arg(QuotedIdentifier(table.name), columns.join(u", "));
}

bool TableExists(SqlConnection &db, const QString &table)
{
    QSqlQuery q = db.run(QStringLiteral("SELECT to_regclass(?) IS NOT NULL"), {QuotedIdentifier(table)});
    return q.next() && q.value(0).toBool();
}

// The first column of the table that the database lacks, or nothing.
std::optional<QString> MissingColumn(SqlConnection &db, const TableSchema &table)
{
    QSqlQuery q = db.run(QStringLiteral("SELECT column_name FROM information_schema.columns WHERE table_name = ?"),
                         {table.name});
    QStringList present;
    while (q.next())
        present << q.value(0).toString();
    for (const QString &c : table.columns) {
        if (!present.contains(c))
            return c;
    }
    return std::nullopt;
}

// After rows were given their numbers, the next row gets the number after the greatest.
void RenumberFromTheLast(SqlConnection &db, const QString &table)
{
    db.run(QStringLiteral("SELECT setval(pg_get_serial_sequence(?, 'ID'), COALESCE((SELECT MAX(\"ID\") FROM %1), 0) + 1, "
                          "false)")
               .arg(QuotedIdentifier(table)),
           {QuotedIdentifier(table)});
}

} // namespace

PostgresSubjectStore::PostgresSubjectStore(const ServerChoice &server, const std::optional<QString> &password)
    : server_(server), db_(std::make_unique<ServerConnection>(server, password, QStringLiteral("subjects")))
{
    prepareTables();
}

PostgresSubjectStore::~PostgresSubjectStore() = default;

SqlConnection &PostgresSubjectStore::db()
{
    return *db_;
}

QString PostgresSubjectStore::shownName() const
{
    return QStringLiteral("پایگاه داده‌ی مشترک %1").arg(ServerConnection::ShownServer(server_));
}

void PostgresSubjectStore::holdCode(const QString &code)
{
    db_->run(QStringLiteral("SELECT pg_advisory_xact_lock(hashtext(?))"), {code});
}

QString PostgresSubjectStore::utf8Length(const QString &expression) const
{
    return QStringLiteral("OCTET_LENGTH(%1)").arg(expression); // the database keeps UTF-8
}

// Each statement of a transaction sees its own moment unless the transaction asks for one.
void PostgresSubjectStore::readOneMoment()
{
    db_->run(QStringLiteral("SET TRANSACTION ISOLATION LEVEL REPEATABLE READ, READ ONLY"));
}

void PostgresSubjectStore::prepareTables()
{
    db_->transact([&] {
        db_->run(QStringLiteral("SELECT pg_advisory_xact_lock(?)"), {kPreparationLock});
        int version = 1;
        const bool fresh = !TableExists(*db_, QStringLiteral("IDE"));
        if (!TableExists(*db_, QStringLiteral("MorvaVersion"))) {
            db_->run(QStringLiteral("CREATE TABLE \"MorvaVersion\" (\"Version\" INTEGER NOT NULL)"));
            db_->run(QStringLiteral("INSERT INTO \"MorvaVersion\" VALUES (1)"));
        } else {
            QSqlQuery q = db_->run(QStringLiteral("SELECT \"Version\" FROM \"MorvaVersion\""));
            version = q.next() ? q.value(0).toInt() : 1;
        }
        if (version > SubjectsVersion())
            throw DataError(QStringLiteral("پایگاه داده‌ی مشترک %1 را نسخه‌ی تازه‌تری از برنامه آماده کرده است و این "
                                           "نسخه نمی‌تواند با آن کار کند؛ لطفاً برنامه را به‌روز کنید.")
                                .arg(ServerConnection::ShownServer(server_)));
        for (const TableSchema *table : TablesOf(DataFile::Subjects)) {
            if (fresh || table->since > version)
                db_->run(CreateStatement(*table)); // made now, filled by the steps below
            else if (const auto missing = MissingColumn(*db_, *table))
                throw DataError(QStringLiteral("ساختار پایگاه داده‌ی مشترک %1 با این نسخه از برنامه سازگار نیست. لطفاً "
                                               "با مسئول رایانه تماس بگیرید.")
                                    .arg(ServerConnection::ShownServer(server_)),
                                table->name + QStringLiteral(": ") + *missing);
            // Each index orders a value's rows by their number, as SQLite's do by themselves: a
            // filtered page of the lookup window is read in order, without sorting the group.
            // (The first indexes of a server had the value alone.)
            for (const QString &column : table->indexed) {
                db_->run(QStringLiteral("DROP INDEX IF EXISTS %1").arg(QuotedIdentifier(table->name + u'_' + column)));
                db_->run(QStringLiteral("CREATE INDEX IF NOT EXISTS %1 ON %2 (%3, \"ID\")")
                             .arg(QuotedIdentifier(table->name + u'_' + column + QStringLiteral("_ID")),
                                  QuotedIdentifier(table->name), QuotedIdentifier(column)));
            }
        }
        for (int from = version; from < SubjectsVersion(); ++from)
            SubjectsMigrations()[from - 1](*db_);
        db_->run(QStringLiteral("UPDATE \"MorvaVersion\" SET \"Version\" = ?"), {SubjectsVersion()});
    });
}

void PostgresSubjectStore::copyRowsFrom(SqlConnection &source, int sourceVersion, const QStringList &leftOut)
{
    const QSet<QString> left(leftOut.begin(), leftOut.end());
    const bool keepNumbers = leftOut.isEmpty() && !db_->run(QStringLiteral("SELECT 1 FROM \"IDE\" LIMIT 1")).next();
    for (const TableSchema *table : TablesOf(DataFile::Subjects)) {
        if (table->since > sourceVersion)
            continue; // the steps that bring the copy forward fill it
        const int codeAt = static_cast<int>(table->columns.indexOf(QStringLiteral("Code"))) + 1;
        const QString insert = QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                                   .arg(QuotedIdentifier(table->name), ColumnList(*table, keepNumbers),
                                        QStringList(table->columns.size() + (keepNumbers ? 1 : 0), QStringLiteral("?"))
                                            .join(u", "));
        QSqlQuery rows = source.run(QStringLiteral("SELECT %1 FROM %2 ORDER BY \"ID\"")
                                        .arg(ColumnList(*table, true), QuotedIdentifier(table->name)));
        QVariantList values;
        while (rows.next()) {
            if (left.contains(rows.value(codeAt).toString()))
                continue;
            values.clear();
            for (int i = keepNumbers ? 0 : 1; i <= table->columns.size(); ++i)
                values << rows.value(i);
            db_->run(insert, values);
        }
        if (keepNumbers)
            RenumberFromTheLast(*db_, table->name);
    }
}

std::optional<QString> PostgresSubjectStore::backupTo(const QString &path, const BetweenChunks &progress,
                                                     const BackupWriter &write)
{
    // The subjects file is made beside the desk's own, readable by its owner only, then written to
    // the path as a desk's backup is.
    QTemporaryFile made(QDir::current().filePath(QStringLiteral("DB/server-backup-XXXXXX.mdb")));
    if (!made.open())
        return made.errorString();
    made.close();
    made.setPermissions(kOwnerOnly);
    QFile::resize(made.fileName(), 0);
    PrepareDataFile(made.fileName(), DataFile::Subjects);
    {
        DataConnection file(made.fileName(), QStringLiteral("server backup"));
        db_->transact([&] {
            readOneMoment(); // every room's subjects as they stand, however they change meanwhile
            file.transact([&] {
                for (const TableSchema *table : TablesOf(DataFile::Subjects)) {
                    QSqlQuery rows = db_->run(QStringLiteral("SELECT %1 FROM %2 ORDER BY \"ID\"")
                                                  .arg(ColumnList(*table, true), QuotedIdentifier(table->name)));
                    const QString insert =
                        QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                            .arg(QuotedIdentifier(table->name), ColumnList(*table, true),
                                 QStringList(table->columns.size() + 1, QStringLiteral("?")).join(u", "));
                    QVariantList values;
                    while (rows.next()) {
                        values.clear();
                        for (int i = 0; i <= table->columns.size(); ++i)
                            values << rows.value(i);
                        file.run(insert, values);
                    }
                }
            });
        });
    }
    return write(made.fileName(), path, progress);
}

RestoreOutcome PostgresSubjectStore::restoreFrom(const QString &backup, const QString &kept, const QString &advice,
                                                 const BetweenChunks &progress)
{
    using Stop = RestoreOutcome::Stop;
    if (!QFileInfo::exists(backup)) {
        QFile missing(backup);
        missing.open(QIODevice::ReadOnly);
        return {Stop::NotCopied, missing.errorString()};
    }
    if (const auto refusal = CheckSubjectsFile(backup, advice))
        return {Stop::NotABackup, *refusal};
    if (const auto failed = backupTo(kept, progress))
        return {Stop::NotKept, *failed};
    const int version = DataFileVersion(backup).value_or(SubjectsVersion());
    try {
        DataConnection file(backup, QStringLiteral("restore"), DataConnection::Access::ReadOnly);
        db_->transact([&] {
            db_->run(QStringLiteral("LOCK TABLE \"IDE\", \"Answer\", \"Session\" IN EXCLUSIVE MODE"));
            for (const TableSchema *table : TablesOf(DataFile::Subjects))
                db_->run(QStringLiteral("DELETE FROM %1").arg(QuotedIdentifier(table->name)));
            copyRowsFrom(file, version, {});
            // A backup of an earlier version is brought forward as the server's tables are.
            for (int from = version; from < SubjectsVersion(); ++from)
                SubjectsMigrations()[from - 1](*db_);
        });
    } catch (const DataError &error) {
        return {Stop::NotCopied, error.fullText()};
    }
    measureTables();
    return {};
}

PostgresSubjectStore::Taken PostgresSubjectStore::takeSubjectsOf(const QString &path)
{
    PrepareDataFile(path, DataFile::Subjects); // brought forward as when the desk opens it
    DataConnection desk(path, QStringLiteral("move"), DataConnection::Access::ReadOnly);
    Taken taken;
    db_->transact([&] {
        // No room registers a code between the look-up and the copy.
        db_->run(QStringLiteral("LOCK TABLE \"IDE\", \"Answer\", \"Session\" IN SHARE ROW EXCLUSIVE MODE"));
        QSet<QString> onServer;
        QSqlQuery server = db_->run(QStringLiteral("SELECT \"Code\" FROM \"IDE\" UNION SELECT \"Code\" FROM \"Answer\""));
        while (server.next())
            onServer.insert(server.value(0).toString());
        QSqlQuery codes = desk.run(QStringLiteral("SELECT DISTINCT \"Code\" FROM \"IDE\" UNION SELECT \"Code\" FROM \"Answer\""));
        while (codes.next()) {
            const QString code = codes.value(0).toString();
            if (onServer.contains(code))
                taken.leftOut << code;
            else
                ++taken.taken;
        }
        copyRowsFrom(desk, SubjectsVersion(), taken.leftOut);
    });
    measureTables();
    taken.leftOut.sort();
    return taken;
}

// After many rows arrive at once the server's planner knows nothing of them until its autovacuum
// gets round to it, and looks a code up by reading the whole table meanwhile: the tables are
// measured at once. Only the plans depend on it, so a failure here changes no subject and is left
// to the autovacuum.
void PostgresSubjectStore::measureTables()
{
    try {
        db_->run(QStringLiteral("ANALYZE \"IDE\", \"Answer\", \"Session\""));
    } catch (const DataError &) {
    }
}

} // namespace morva
