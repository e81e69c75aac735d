#pragma once

#include "records/schema.h"
#include "records/sql/sql_connection.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariantList>

#include <functional>

struct sqlite3;

namespace morva {

// A connection to one SQLite data file.
class DataConnection final : public SqlConnection {
public:
    enum class Access { ReadWrite, ReadOnly };

    // The program's own data file, resolved against the working directory; throws DataError.
    DataConnection(DataFile file, const QString &owner);
    // Any SQLite file; a read-only connection never writes, not even a journal. Throws DataError.
    DataConnection(const QString &path, const QString &owner, Access access = Access::ReadWrite);
    ~DataConnection() override;
    DataConnection(const DataConnection &) = delete;
    DataConnection &operator=(const DataConnection &) = delete;

    QString path() const { return path_; }

    // How many connections of this program are open to the file at path.
    static int OpenCount(const QString &path);

    QSqlQuery run(const QString &sql, const QVariantList &values = {}) const override;
    // Through SQLite itself, on the same connection: Qt would box each value and convert its text
    // to UTF-16 and back.
    void readTexts(const QString &sql, const QVariantList &values,
                   const std::function<bool(TextRow)> &visit) const override;
    void transact(const std::function<void()> &work) override;

private:
    sqlite3 *handle() const;
    [[noreturn]] void fail(const QSqlError &error) const;
    // SQLite's result code and its words.
    [[noreturn]] void fail(int code, const QString &systemText) const;

    QString path_;
    QString name_;
    int depth_ = 0;
};

} // namespace morva
