#include "records/sql/migrations.h"

#include "records/sql/sql_connection.h"
#include "records/subject_code.h"

#include <QSet>
#include <QSqlQuery>
#include <QStringList>

namespace morva {
namespace {

// Codes stored by the first release with Persian or Arabic digits are rewritten with Latin
// ones, in IDE and Answer alike, so that the subjects stay reachable. A code whose Latin form
// another subject already has is left as it is.
void NormalizeStoredCodes(SqlConnection &subjects)
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
    for (const QString &code : std::as_const(foreign)) {
        const QString latin = NormalizedCode(code);
        if (codes.contains(latin))
            continue; // another subject has this code: both stay as they were
        codes.insert(latin);
        for (const QString &table : {QStringLiteral("IDE"), QStringLiteral("Answer")})
            subjects.run(QStringLiteral("UPDATE %1 SET \"Code\" = ? WHERE \"Code\" = ?").arg(QuotedIdentifier(table)),
                         {latin, code});
    }
}

} // namespace

const QList<std::function<void(SqlConnection &)>> &SubjectsMigrations()
{
    static const QList<std::function<void(SqlConnection &)>> steps{NormalizeStoredCodes};
    return steps;
}

int SubjectsVersion()
{
    return static_cast<int>(SubjectsMigrations().size()) + 1;
}

} // namespace morva
