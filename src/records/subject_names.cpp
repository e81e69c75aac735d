#include "records/subject_names.h"

#include "records/data_connection.h"
#include "records/schema.h"

#include <QCollator>
#include <QLocale>
#include <QSqlQuery>

#include <algorithm>

namespace morva {

QStringList DistinctNames(const DataConnection &subjects, const QString &column)
{
    const QString name = QuotedIdentifier(CanonicalColumn(SubjectTable(), column));
    const QString table = QuotedIdentifier(SubjectTable().name);
    // From each value to the next greater one through the index: a seek per value instead of a
    // pass over every subject.
    QSqlQuery q = subjects.run(QStringLiteral("WITH RECURSIVE v(x) AS (SELECT MIN(%1) FROM %2 WHERE %1 > '' UNION ALL "
                                              "SELECT (SELECT MIN(%1) FROM %2 WHERE %1 > v.x) FROM v WHERE v.x IS NOT NULL) "
                                              "SELECT x FROM v WHERE x IS NOT NULL")
                                   .arg(name, table));
    QStringList names;
    while (q.next())
        names << q.value(0).toString();
    QCollator persian(QLocale(QLocale::Persian, QLocale::Iran));
    std::sort(names.begin(), names.end(), [&persian](const QString &a, const QString &b) {
        const int order = persian.compare(a, b);
        return order != 0 ? order < 0 : a < b; // names the collator finds equal keep a fixed order
    });
    return names;
}

} // namespace morva
