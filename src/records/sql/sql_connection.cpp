#include "records/sql/sql_connection.h"

#include <QSqlDatabase>

namespace morva {

QString QuotedIdentifier(const QString &name)
{
    QString quoted = name;
    quoted.replace(u'"', QStringLiteral("\"\""));
    return u'"' + quoted + u'"';
}

void RunTransaction(QSqlDatabase db, int &depth, const std::function<void()> &work,
                    const std::function<void(const QSqlError &)> &fail, const std::function<bool()> &reachable)
{
    if (depth == 0 && !db.transaction())
        fail(db.lastError());
    ++depth;
    try {
        work();
    } catch (...) {
        if (--depth == 0 && reachable())
            db.rollback();
        throw;
    }
    if (--depth > 0)
        return;
    if (!db.commit()) {
        const QSqlError error = db.lastError();
        if (reachable())
            db.rollback();
        fail(error);
    }
}

QSqlQuery RunBound(const QSqlDatabase &db, const QString &sql, const QVariantList &values,
                   const std::function<void(const QSqlError &)> &fail)
{
    QSqlQuery query(db);
    query.setForwardOnly(true);
    if (!query.prepare(sql))
        fail(query.lastError());
    for (const QVariant &v : values)
        query.addBindValue(v);
    if (!query.exec())
        fail(query.lastError());
    return query;
}

void CloseNamedConnection(const QString &name, bool inTransaction)
{
    {
        QSqlDatabase db = QSqlDatabase::database(name, false);
        if (db.isOpen()) {
            if (inTransaction)
                db.rollback();
            db.close();
        }
    }
    QSqlDatabase::removeDatabase(name);
}

} // namespace morva
