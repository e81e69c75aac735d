#include "records/sql/sql_connection.h"

#include <QSqlDatabase>

namespace morva {

QString QuotedIdentifier(const QString &name)
{
    QString quoted = name;
    quoted.replace(u'"', QStringLiteral("\"\""));
    return u'"' + quoted + u'"';
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
