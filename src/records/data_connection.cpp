#include "records/data_connection.h"

#include "records/data_error.h"

#include <QAtomicInteger>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlError>
#include <QSqlRecord>

#include <utility>

namespace morva {
namespace {

constexpr QFileDevice::Permissions kOwnerOnly = QFileDevice::ReadOwner | QFileDevice::WriteOwner;

QString ShownPath(const QString &path)
{
    return QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath());
}

QString ShownPath(DataFile file)
{
    return ShownPath(DataFilePath(file));
}

QString ConnectionName(const QString &owner, DataFile file)
{
    static QAtomicInteger<int> serial;
    return QStringLiteral("%1/%2/%3").arg(owner, DataFilePath(file)).arg(serial.fetchAndAddRelaxed(1));
}

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

void CheckColumns(DataConnection &db, const TableSchema &table)
{
    QSqlQuery info = db.run(QStringLiteral("PRAGMA table_info(%1)").arg(QuotedIdentifier(table.name)));
    QStringList present;
    while (info.next())
        present << info.value(1).toString();
    for (const QString &c : table.columns) {
        if (!present.contains(c, Qt::CaseInsensitive))
            throw DataError(QStringLiteral("فایل اطلاعات «%2» با این نسخه از برنامه سازگار نیست (در جدول «%1» ستون «%3» وجود "
                                           "ندارد). برنامه این فایل را تغییر نمی‌دهد و بسته می‌شود؛ لطفاً با مسئول "
                                           "رایانه تماس بگیرید.")
                                .arg(table.name, ShownPath(table.file), c));
    }
}

void PrepareFile(DataFile file, const QList<const TableSchema *> &tables)
{
    const QString path = DataFilePath(file);
    const bool existed = QFileInfo::exists(path);
    if (existed && !LooksLikeSqlite(path))
        throw DataError(QStringLiteral("فایل اطلاعات «%1» برای این برنامه قابل استفاده نیست؛ شاید این فایل از نسخه‌ی "
                                       "قدیمی برنامه باشد یا آسیب دیده باشد. برنامه این فایل را تغییر نمی‌دهد و "
                                       "بسته می‌شود؛ لطفاً با مسئول رایانه تماس بگیرید.")
                            .arg(ShownPath(file)));
    if (!existed) {
        QFile created(path);
        if (!created.open(QIODevice::WriteOnly | QIODevice::NewOnly) || !created.setPermissions(kOwnerOnly))
            throw DataError(QStringLiteral("فایل اطلاعات «%1» ساخته نشد و برنامه بسته می‌شود. احتمالاً اجازه‌ی نوشتن در این "
                                           "پوشه وجود ندارد یا فضای دیسک پر است؛ لطفاً با مسئول رایانه تماس بگیرید.").arg(ShownPath(file)), created.errorString());
    }
    DataConnection db(file, QStringLiteral("prepare"));
    db.transact([&] {
        for (const TableSchema *table : tables) {
            db.run(CreateStatement(*table));
            CheckColumns(db, *table);
            if (table->numberedRows)
                db.run(QStringLiteral("CREATE INDEX IF NOT EXISTS %1 ON %2 (\"Code\")")
                           .arg(QuotedIdentifier(table->name + QStringLiteral("_Code")), QuotedIdentifier(table->name)));
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

void PrepareDataFiles()
{
    const QString folder = QFileInfo(DataFilePath(DataFile::Settings)).path();
    if (!QFileInfo::exists(folder)) {
        if (!QDir().mkpath(folder)
            || !QFile::setPermissions(folder, kOwnerOnly | QFileDevice::ExeOwner))
            throw DataError(QStringLiteral("پوشه‌ی اطلاعات «%1» ساخته نشد و برنامه بسته می‌شود. احتمالاً اجازه‌ی نوشتن در "
                                           "این مسیر وجود ندارد؛ لطفاً با مسئول رایانه تماس بگیرید.")
                                .arg(ShownPath(folder)));
    }
    PrepareFile(DataFile::Settings, {&ThemeTable()});
    PrepareFile(DataFile::Subjects, {&SubjectTable(), &AnswerTable()});
}

DataConnection::DataConnection(DataFile file, const QString &owner)
    : file_(file), name_(ConnectionName(owner, file))
{
    const QString path = DataFilePath(file);
    if (!QFileInfo::exists(path))
        throw DataError(QStringLiteral("فایل اطلاعات «%1» پیدا نشد؛ ممکن است جابه‌جا یا پاک شده باشد. لطفاً پیش از "
                                       "ادامه‌ی کار با مسئول رایانه تماس بگیرید.").arg(ShownPath(file)));
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name_);
    db.setDatabaseName(path);
    db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=15000"));
    if (!db.open())
        fail(db.lastError().text());
}

DataConnection::~DataConnection()
{
    {
        QSqlDatabase db = QSqlDatabase::database(name_, false);
        if (db.isOpen()) {
            if (depth_ > 0)
                db.rollback();
            db.close();
        }
    }
    QSqlDatabase::removeDatabase(name_);
}

QSqlQuery DataConnection::run(const QString &sql, const QVariantList &values) const
{
    QSqlQuery query(QSqlDatabase::database(name_, false));
    query.setForwardOnly(true);
    if (!query.prepare(sql))
        fail(query.lastError().text());
    for (const QVariant &v : values)
        query.addBindValue(v);
    if (!query.exec())
        fail(query.lastError().text());
    return query;
}

void DataConnection::transact(const std::function<void()> &work)
{
    QSqlDatabase db = QSqlDatabase::database(name_, false);
    if (depth_ == 0 && !db.transaction())
        fail(db.lastError().text());
    ++depth_;
    try {
        work();
    } catch (...) {
        if (--depth_ == 0)
            rollBack();
        throw;
    }
    if (--depth_ > 0)
        return;
    if (!db.commit()) {
        const QString detail = db.lastError().text();
        rollBack();
        fail(detail);
    }
    undo_.clear();
}

void DataConnection::rollBack()
{
    QSqlDatabase::database(name_, false).rollback();
    const auto undo = std::exchange(undo_, {});
    for (auto step = undo.rbegin(); step != undo.rend(); ++step)
        (*step)();
}

void DataConnection::onRollback(std::function<void()> undo)
{
    if (depth_ > 0)
        undo_.push_back(std::move(undo));
}

void DataConnection::fail(const QString &detail) const
{
    throw DataError(QStringLiteral("خواندن یا نوشتن فایل اطلاعات «%1» انجام نشد و هیچ تغییری در این فایل ثبت نشد. لطفاً "
                                   "دوباره امتحان کنید؛ اگر خطا تکرار شد، با مسئول رایانه تماس بگیرید.")
                        .arg(ShownPath(file_)),
                    detail);
}

} // namespace morva
