#include "records/sqlite/sqlite_settings_store.h"

#include "records/sqlite/data_connection.h"
#include "records/sqlite/data_files.h"

#include <QSqlQuery>

namespace morva {
namespace {

// Only the first row of the table is read or written.
const QString kFirstRow = QStringLiteral("rowid = (SELECT MIN(rowid) FROM \"Theme\")");

} // namespace

SqliteSettingsStore::SqliteSettingsStore(const QString &path)
{
    PrepareDataFile(path, DataFile::Settings);
    db_ = std::make_unique<DataConnection>(path, QStringLiteral("settings"));
}

SqliteSettingsStore::~SqliteSettingsStore() = default;

ClinicSettings SqliteSettingsStore::read()
{
    QSqlQuery q = db_->run(QStringLiteral("SELECT \"TH\", \"Name\", \"Adress\" FROM \"Theme\" WHERE ") + kFirstRow);
    if (!q.next())
        return {};
    return {q.value(0).toString(), q.value(1).toString(), q.value(2).toString()};
}

void SqliteSettingsStore::saveClinic(const QString &name, const QString &address)
{
    db_->transact([&] {
        db_->run(QStringLiteral("UPDATE \"Theme\" SET \"Name\" = ?, \"Adress\" = ? WHERE ") + kFirstRow, {name, address});
    });
}

void SqliteSettingsStore::saveTheme(const QString &theme)
{
    db_->transact([&] { db_->run(QStringLiteral("UPDATE \"Theme\" SET \"TH\" = ? WHERE ") + kFirstRow, {theme}); });
}

std::optional<ServerChoice> SqliteSettingsStore::sharedServer()
{
    QSqlQuery q = db_->run(QStringLiteral("SELECT \"Host\", \"Port\", \"Database\", \"User\", \"TlsMode\" FROM \"SharedServer\""));
    if (!q.next())
        return std::nullopt;
    return ServerChoice{q.value(0).toString(), q.value(1).toString(), q.value(2).toString(), q.value(3).toString(),
                        q.value(4).toString()};
}

void SqliteSettingsStore::saveSharedServer(const std::optional<ServerChoice> &server)
{
    db_->transact([&] {
        db_->run(QStringLiteral("DELETE FROM \"SharedServer\""));
        if (server)
            db_->run(QStringLiteral("INSERT INTO \"SharedServer\" (\"Host\", \"Port\", \"Database\", \"User\", "
                                    "\"TlsMode\") VALUES (?, ?, ?, ?, ?)"),
                     {server->host, server->port, server->database, server->user, server->tlsMode});
    });
}

} // namespace morva
