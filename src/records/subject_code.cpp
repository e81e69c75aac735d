#include "records/subject_code.h"

#include "records/columns.h"
#include "records/data_connection.h"

#include <QSet>
#include <QSqlQuery>

namespace morva {

QString NormalizedCode(const QString &typed)
{
    QString code = typed;
    for (QChar &c : code) {
        if (c.isDigit() && (c < u'0' || c > u'9') && c.digitValue() >= 0)
            c = QChar(u'0' + c.digitValue());
    }
    return code;
}

void NormalizeStoredCodes(DataConnection &subjects)
{
    QSqlQuery stored = subjects.run(QStringLiteral("SELECT \"Code\" FROM \"IDE\" UNION SELECT \"Code\" FROM \"Answer\""));
    QSet<QString> codes;
    QStringList foreign;
    while (stored.next()) {
        const QString code = stored.value(0).toString();
        codes.insert(code);
        if (NormalizedCode(code) != code)
            foreign << code;
    }
    if (foreign.isEmpty())
        return;
    subjects.transact([&] {
        for (const QString &code : foreign) {
            const QString latin = NormalizedCode(code);
            if (codes.contains(latin))
                continue; // another subject has this code: both stay as they were
            codes.insert(latin);
            for (const QLatin1String table : {table::Subjects, table::Answers})
                subjects.run(QStringLiteral("UPDATE \"%1\" SET \"Code\" = ? WHERE \"Code\" = ?").arg(table), {latin, code});
        }
    });
}

} // namespace morva
