#include "records/data_files.h"

#include "records/data_connection.h"
#include "records/data_error.h"
#include "records/subject_code.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlQuery>

namespace morva {
namespace {

constexpr QFileDevice::Permissions kOwnerOnly = QFileDevice::ReadOwner | QFileDevice::WriteOwner;

QString CreateStatement(const TableSchema &table)
{
    QStringList columns;
    if (table.numberedRows)
        columns << QStringLiteral("\"ID\" INTEGER PRIMARY KEY AUTOINCREMENT");
    for (const QString &c : table.columns)
        columns << QuotedIdentifier(c) + QStringLiteral(" TEXT");
    return QStringLiteral("CREATE TABLE IF NOT EXISTS %1 (%2)").arg(QuotedIdentifier(table.name), columns.join(u", "));
}

// The first bytes of every SQLite 3 database; an empty file is an empty database as well.
bool LooksLikeSqlite(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        throw DataError(QStringLiteral("فایل اطلاعات «%1» باز نشد و برنامه بسته می‌شود. احتمالاً اجازه‌ی دسترسی به این فایل "
                                       "وجود ندارد؛ لطفاً با مسئول رایانه تماس بگیرید.")
                            .arg(ShownPath(path)),
                        f.errorString());
    const QByteArray head = f.read(16);
    return head.isEmpty() || head == QByteArray("SQLite format 3\0", 16);
}

// The first column of the table that the file lacks, or nothing.
std::optional<QString> MissingColumn(const DataConnection &db, const TableSchema &table)
{
    QSqlQuery info = db.run(QStringLiteral("PRAGMA table_info(%1)").arg(QuotedIdentifier(table.name)));
    QStringList present;
    while (info.next())
        present << info.value(1).toString();
    for (const QString &c : table.columns) {
        if (!present.contains(c, Qt::CaseInsensitive))
            return c;
    }
    return std::nullopt;
}

QString IncompatibleText(const QString &path, const QString &table, const QString &column)
{
    return QStringLiteral("فایل اطلاعات «%2» با این نسخه از برنامه سازگار نیست (در جدول «%1» ستون «%3» وجود "
                          "ندارد). برنامه این فایل را تغییر نمی‌دهد و بسته می‌شود؛ لطفاً با مسئول "
                          "رایانه تماس بگیرید.")
        .arg(table, ShownPath(path), column);
}

void PrepareFile(DataFile file)
{
    const QString path = DataFilePath(file);
    const bool existed = QFileInfo::exists(path);
    if (existed && !LooksLikeSqlite(path))
        throw DataError(QStringLiteral("فایل اطلاعات «%1» برای این برنامه قابل استفاده نیست؛ شاید این فایل از نسخه‌ی "
                                       "قدیمی برنامه باشد یا آسیب دیده باشد. برنامه این فایل را تغییر نمی‌دهد و "
                                       "بسته می‌شود؛ لطفاً با مسئول رایانه تماس بگیرید.")
                            .arg(ShownPath(path)));
    if (!existed) {
        QFile created(path);
        if (!created.open(QIODevice::WriteOnly | QIODevice::NewOnly) || !created.setPermissions(kOwnerOnly))
            throw DataError(QStringLiteral("فایل اطلاعات «%1» ساخته نشد و برنامه بسته می‌شود. احتمالاً اجازه‌ی نوشتن در این "
                                           "پوشه وجود ندارد یا فضای دیسک پر است؛ لطفاً با مسئول رایانه تماس بگیرید.")
                                .arg(ShownPath(path)),
                            created.errorString());
    }
    DataConnection db(file, QStringLiteral("prepare"));
    db.transact([&] {
        for (const TableSchema *table : TablesOf(file)) {
            db.run(CreateStatement(*table));
            if (const auto missing = MissingColumn(db, *table))
                throw DataError(IncompatibleText(path, table->name, *missing));
            for (const QString &column : table->indexed)
                db.run(QStringLiteral("CREATE INDEX IF NOT EXISTS %1 ON %2 (%3)")
                           .arg(QuotedIdentifier(table->name + u'_' + column), QuotedIdentifier(table->name),
                                QuotedIdentifier(column)));
        }
        if (file == DataFile::Settings) {
            QSqlQuery rows = db.run(QStringLiteral("SELECT COUNT(*) FROM \"Theme\""));
            if (rows.next() && rows.value(0).toLongLong() == 0)
                db.run(QStringLiteral("INSERT INTO \"Theme\" (\"TH\", \"Name\", \"Adress\") VALUES (?, ?, ?)"),
                       {QStringLiteral("1"), QStringLiteral(""), QStringLiteral("")});
        }
    });
}

} // namespace

QString DataFilePath(DataFile file)
{
    return file == DataFile::Settings ? QStringLiteral("DB/DB.mdb") : QStringLiteral("DB/DB2.mdb");
}

QString ShownPath(const QString &path)
{
    return QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath());
}

void PrepareDataFiles()
{
    const QString folder = QFileInfo(DataFilePath(DataFile::Settings)).path();
    if (!QFileInfo::exists(folder)) {
        if (!QDir().mkpath(folder) || !QFile::setPermissions(folder, kOwnerOnly | QFileDevice::ExeOwner))
            throw DataError(QStringLiteral("پوشه‌ی اطلاعات «%1» ساخته نشد و برنامه بسته می‌شود. احتمالاً اجازه‌ی نوشتن در "
                                           "این مسیر وجود ندارد؛ لطفاً با مسئول رایانه تماس بگیرید.")
                                .arg(ShownPath(folder)));
    }
    PrepareFile(DataFile::Settings);
    PrepareFile(DataFile::Subjects);
    DataConnection subjects(DataFile::Subjects, QStringLiteral("prepare"));
    NormalizeStoredCodes(subjects);
}

std::optional<QString> CheckSubjectsFile(const QString &path)
{
    const QString notOurs = QStringLiteral("فایل «%1» فایل اطلاعات آزمودنی‌های این برنامه نیست یا آسیب دیده است.")
                                .arg(ShownPath(path));
    try {
        if (QFileInfo(path).size() == 0 || !LooksLikeSqlite(path))
            return notOurs;
        DataConnection db(path, QStringLiteral("check"), DataConnection::Access::ReadOnly);
        QSqlQuery check = db.run(QStringLiteral("PRAGMA integrity_check"));
        if (!check.next() || check.value(0).toString() != QStringLiteral("ok"))
            return notOurs;
        for (const TableSchema *table : TablesOf(DataFile::Subjects)) {
            if (const auto missing = MissingColumn(db, *table))
                return QStringLiteral("فایل «%1» فایل اطلاعات آزمودنی‌های این برنامه نیست (در جدول «%2» ستون «%3» "
                                      "وجود ندارد).")
                    .arg(ShownPath(path), table->name, *missing);
        }
    } catch (const DataError &) {
        return notOurs;
    }
    return std::nullopt;
}

} // namespace morva
