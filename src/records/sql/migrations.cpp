#include "records/sql/migrations.h"

#include "records/columns.h"
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

// The answers each subject had before every administration was kept become the subject's first
// session, of unknown date; a subject never tested gets none. The table itself is made with the
// others before the steps run.
void RecordAnswersAsFirstSessions(SqlConnection &subjects)
{
    QStringList items;
    QStringList answers;
    QStringList texts;
    for (int item = 1; item <= column::ItemColumns; ++item) {
        const QString name = QuotedIdentifier(column::Answer(item));
        items << name;
        answers << QStringLiteral("a.") + name;
        texts << QStringLiteral("COALESCE(a.%1, '')").arg(name);
    }
    subjects.run(QStringLiteral("INSERT INTO \"Session\" (\"Code\", \"Number\", \"Date\", %1) SELECT a.\"Code\", '1', '', %2 "
                                "FROM \"Answer\" a WHERE a.\"ID\" = (SELECT MIN(\"ID\") FROM \"Answer\" WHERE \"Code\" = "
                                "a.\"Code\") AND %3 <> '' ORDER BY a.\"ID\"")
                     .arg(items.join(u", "), answers.join(u", "), texts.join(QStringLiteral(" || "))));
}

} // namespace

const QList<std::function<void(SqlConnection &)>> &SubjectsMigrations()
{
    static const QList<std::function<void(SqlConnection &)>> steps{NormalizeStoredCodes, RecordAnswersAsFirstSessions};
    return steps;
}

int SubjectsVersion()
{
    return static_cast<int>(SubjectsMigrations().size()) + 1;
}

} // namespace morva
