#include "records/shared_server.h"

#include "common/numbers.h"
#include "records/postgres/postgres_subject_store.h"
#include "records/sqlite/data_connection.h"

#include <QSqlQuery>

namespace morva {

std::optional<QString> TidyServerChoice(ServerChoice &server)
{
    for (QString *field : {&server.host, &server.port, &server.database, &server.user})
        *field = field->trimmed();
    if (server.database.isEmpty())
        return QStringLiteral("لطفاً نام پایگاه داده را بنویسید.");
    if (!server.port.isEmpty()) {
        const std::optional<double> port = WholeNumber(server.port);
        if (!port || *port != int(*port) || *port < 1 || *port > 65535)
            return QStringLiteral("درگاه باید عددی از ۱ تا ۶۵۵۳۵ باشد؛ برای درگاه پیش‌فرض آن را خالی بگذارید.");
        server.port = QString::number(int(*port));
    }
    return std::nullopt;
}

TakenSubjects TakeDeskSubjects(PostgresSubjectStore &server, const QString &deskFile)
{
    qint64 codes = 0;
    {
        // A subject is its code, in either table, as the server counts what it already has.
        const DataConnection desk(deskFile, QStringLiteral("count codes"), DataConnection::Access::ReadOnly);
        QSqlQuery q = desk.run(QStringLiteral("SELECT COUNT(*) FROM (SELECT \"Code\" FROM \"IDE\" UNION "
                                              "SELECT \"Code\" FROM \"Answer\")"));
        if (q.next())
            codes = q.value(0).toLongLong();
    }
    TakenSubjects result;
    result.leftOut = server.takeSubjectsOf(deskFile);
    result.taken = codes - result.leftOut.size();
    return result;
}

} // namespace morva
