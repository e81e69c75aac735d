#pragma once

#include "records/schema.h"

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QVariantList>

#include <functional>
#include <vector>

namespace morva {

// Makes sure the data folder and both data files are there and usable before any window opens
// them: a missing folder or file is created (owner-only permissions), a missing table or the
// settings row is added. A file that is not an SQLite database, or whose tables lack columns
// this program needs, is left untouched and reported. Throws DataError.
void PrepareDataFiles();

// One window's connection to one data file. Every query binds its values; every write runs
// inside transact(), so a failure leaves the file as it was before the write.
class DataConnection {
public:
    DataConnection(DataFile file, const QString &owner); // throws DataError
    ~DataConnection();
    DataConnection(const DataConnection &) = delete;
    DataConnection &operator=(const DataConnection &) = delete;

    DataFile file() const { return file_; }

    // Runs a prepared statement with its values bound in order; throws DataError.
    QSqlQuery run(const QString &sql, const QVariantList &values = {}) const;

    // Runs work as one transaction. A call inside another joins it: everything commits at the
    // end of the outermost call, or nothing does. When the transaction is rolled back the undo
    // steps registered meanwhile run (newest first) and the error is thrown on.
    void transact(const std::function<void()> &work);
    void onRollback(std::function<void()> undo);

private:
    void rollBack();
    [[noreturn]] void fail(const QString &detail) const;

    DataFile file_;
    QString name_;
    int depth_ = 0;
    std::vector<std::function<void()>> undo_;
};

} // namespace morva
