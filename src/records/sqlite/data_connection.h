#pragma once

#include "records/schema.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariantList>

#include <functional>
#include <vector>

namespace morva {

// A table's or a column's name quoted for SQL: "Group", "1".
QString QuotedIdentifier(const QString &name);

// A connection to one SQLite data file. Every query binds its values; every write runs
// inside transact(), so a failure leaves the file as it was before the write.
class DataConnection {
public:
    enum class Access { ReadWrite, ReadOnly };

    // The program's own data file, resolved against the working directory; throws DataError.
    DataConnection(DataFile file, const QString &owner);
    // Any SQLite file; a read-only connection never writes, not even a journal. Throws DataError.
    DataConnection(const QString &path, const QString &owner, Access access = Access::ReadWrite);
    ~DataConnection();
    DataConnection(const DataConnection &) = delete;
    DataConnection &operator=(const DataConnection &) = delete;

    QString path() const { return path_; }

    // How many connections of this program are open to the file at path.
    static int OpenCount(const QString &path);

    // Runs a prepared statement with its values bound in order; throws DataError.
    QSqlQuery run(const QString &sql, const QVariantList &values = {}) const;

    // Runs work as one transaction. A call inside another joins it: everything commits at the
    // end of the outermost call, or nothing does. When the transaction is rolled back the undo
    // steps registered meanwhile run (newest first) and the error is thrown on.
    void transact(const std::function<void()> &work);
    void onRollback(std::function<void()> undo);

private:
    void rollBack();
    [[noreturn]] void fail(const QSqlError &error) const;

    QString path_;
    QString name_;
    int depth_ = 0;
    std::vector<std::function<void()>> undo_;
};

} // namespace morva
