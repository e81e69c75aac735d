#pragma once

#include <QByteArrayView>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QString>
#include <QVariantList>

#include <functional>
#include <span>

namespace morva {

// A table's or a column's name quoted for SQL: "Group", "1".
QString QuotedIdentifier(const QString &name);

// Runs work as one transaction on Qt's connection db, or inside the one already open there (depth
// counts the calls open): everything commits at the end of the outermost call, or is rolled back
// when anything throws. fail turns the database's failure into the user's words and throws;
// reachable says whether a rollback can still reach the database.
void RunTransaction(QSqlDatabase db, int &depth, const std::function<void()> &work,
                    const std::function<void(const QSqlError &)> &fail, const std::function<bool()> &reachable);

// Prepares sql on Qt's connection db, binds values in order and runs it, to be read forward only.
// fail turns the database's failure into the user's words and throws.
QSqlQuery RunBound(const QSqlDatabase &db, const QString &sql, const QVariantList &values,
                   const std::function<void(const QSqlError &)> &fail);

// Closes Qt's connection of that name, rolling back the transaction it is in, and forgets it.
void CloseNamedConnection(const QString &name, bool inTransaction);

// A row's values as UTF-8 texts, in the order of the query's columns; a missing value (NULL) is a
// null view, an empty text an empty one. The texts hold only while the row is visited.
using TextRow = std::span<const QByteArrayView>;

// A connection to a database of subjects, the desk's file or a clinic's server. Every query binds
// its values; every write runs inside transact(), so that a failure leaves the data as they were.
// Every failure throws DataError with the user's words.
class SqlConnection {
public:
    virtual ~SqlConnection() = default;

    // Runs a prepared statement with its values bound in order.
    virtual QSqlQuery run(const QString &sql, const QVariantList &values = {}) const = 0;

    // Runs a query as run() does and hands each row to visit, until visit returns false: for
    // reading many rows fast, each text as the engine keeps it, without Qt's copies and conversions.
    virtual void readTexts(const QString &sql, const QVariantList &values,
                           const std::function<bool(TextRow)> &visit) const = 0;

    // Runs work as one transaction. A call inside another joins it: everything commits at the
    // end of the outermost call, or nothing does, and the error is thrown on.
    virtual void transact(const std::function<void()> &work) = 0;
};

} // namespace morva
