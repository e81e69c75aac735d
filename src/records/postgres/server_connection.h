#pragma once

#include "records/data_error.h"
#include "records/server_choice.h"
#include "records/sql/sql_connection.h"

#include <map>
#include <optional>

struct pg_conn;
struct pg_result;

namespace morva {

struct LibPq;

// A connection to a clinic's PostgreSQL server. A connection found lost (the server restarted, a
// cable out) is given up, and the next statement connects again; its failure names the server.
class ServerConnection final : public SqlConnection {
public:
    // Connects; throws ServerRefused or DataError.
    ServerConnection(const ServerChoice &server, const std::optional<QString> &password, const QString &owner);
    ~ServerConnection() override;
    ServerConnection(const ServerConnection &) = delete;
    ServerConnection &operator=(const ServerConnection &) = delete;

    QSqlQuery run(const QString &sql, const QVariantList &values = {}) const override;
    void readTexts(const QString &sql, const QVariantList &values,
                   const std::function<bool(TextRow)> &visit) const override;
    void transact(const std::function<void()> &work) override;

    // The server and database as a Persian sentence names them.
    static QString ShownServer(const ServerChoice &server);

private:
    void connect() const;
    // Connects again when the connection was found lost, so that the next statement reaches the
    // server; inside a transaction, which went with the connection, throws the lost connection.
    void reconnectIfLost() const;
    // The failure of a statement or a transaction whose connection was lost: nothing was written.
    DataError lostConnection(const QString &detail) const;
    [[noreturn]] void fail(const QSqlError &error) const;
    // The name of the read statement sql prepared on the connection, preparing it the first time.
    const QByteArray &prepared(pg_conn *connection, const QString &sql, int values,
                               const std::function<void(const pg_result *)> &failure) const;

    ServerChoice server_;
    std::optional<QString> password_;
    QString name_;
    int depth_ = 0;
    mutable bool lost_ = false;
    const LibPq *pq_ = nullptr; // libpq's functions, as the driver loaded them
    mutable std::map<QString, QByteArray> prepared_;

};

} // namespace morva
