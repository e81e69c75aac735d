#include "records/sqlite/data_connection.h"

#include "common/files.h"
#include "records/data_error.h"
#include "records/sqlite/data_files.h"

#include <QAtomicInteger>
#include <QFileInfo>
#include <QSqlError>

#include <algorithm>
#include <utility>

namespace morva {
namespace {

// How long a statement waits for a file that another program (or window) holds before it fails:
// long enough for a moment's write elsewhere, short enough that no window seems to hang.
constexpr int kBusyWaitMs = 3000;

// SQLite's result codes for a file held by another connection.
bool FileHeld(const QSqlError &error)
{
    const QString code = error.nativeErrorCode();
    return code == QLatin1String("5") || code == QLatin1String("6");
}

QString ConnectionName(const QString &owner, const QString &path)
{
    static QAtomicInteger<int> serial;
    return QStringLiteral("%1/%2/%3").arg(owner, path).arg(serial.fetchAndAddRelaxed(1));
}

} // namespace

DataConnection::DataConnection(DataFile file, const QString &owner) : DataConnection(DataFilePath(file), owner)
{
}

DataConnection::DataConnection(const QString &path, const QString &owner, Access access)
    : path_(path), name_(ConnectionName(owner, path))
{
    if (!QFileInfo::exists(path))
        throw DataError(QStringLiteral("فایل اطلاعات «%1» پیدا نشد؛ ممکن است جابه‌جا یا پاک شده باشد. لطفاً پیش از "
                                       "ادامه‌ی کار با مسئول رایانه تماس بگیرید.").arg(ShownPath(path)));
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name_);
    db.setDatabaseName(path);
    const QString waiting = QStringLiteral("QSQLITE_BUSY_TIMEOUT=%1").arg(kBusyWaitMs);
    db.setConnectOptions(access == Access::ReadOnly ? waiting + QStringLiteral(";QSQLITE_OPEN_READONLY") : waiting);
    if (!db.open())
        fail(db.lastError());
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

int DataConnection::OpenCount(const QString &path)
{
    const QString file = QFileInfo(path).canonicalFilePath();
    if (file.isEmpty())
        return 0;
    const QStringList names = QSqlDatabase::connectionNames();
    return static_cast<int>(std::count_if(names.begin(), names.end(), [&](const QString &name) {
        const QSqlDatabase db = QSqlDatabase::database(name, false);
        return db.isOpen() && QFileInfo(db.databaseName()).canonicalFilePath() == file;
    }));
}

QSqlQuery DataConnection::run(const QString &sql, const QVariantList &values) const
{
    QSqlQuery query(QSqlDatabase::database(name_, false));
    query.setForwardOnly(true);
    if (!query.prepare(sql))
        fail(query.lastError());
    for (const QVariant &v : values)
        query.addBindValue(v);
    if (!query.exec())
        fail(query.lastError());
    return query;
}

void DataConnection::transact(const std::function<void()> &work)
{
    QSqlDatabase db = QSqlDatabase::database(name_, false);
    if (depth_ == 0 && !db.transaction())
        fail(db.lastError());
    ++depth_;
    try {
        work();
    } catch (...) {
        if (--depth_ == 0)
            db.rollback();
        throw;
    }
    if (--depth_ > 0)
        return;
    if (!db.commit()) {
        const QSqlError error = db.lastError();
        db.rollback();
        fail(error);
    }
}

void DataConnection::fail(const QSqlError &error) const
{
    if (FileHeld(error))
        throw DataError(QStringLiteral("فایل اطلاعات «%1» اکنون در برنامه‌ی دیگری (یا پنجره‌ی دیگری از همین "
                                       "برنامه) باز است و پس از چند ثانیه هم آزاد نشد؛ هیچ تغییری در این فایل "
                                       "ذخیره نشد. لطفاً آن برنامه را ببندید و دوباره امتحان کنید.")
                            .arg(ShownPath(path_)),
                        error.text());
    throw DataError(QStringLiteral("کار با فایل اطلاعات «%1» با خطا روبه‌رو شد و هیچ تغییری در این فایل ذخیره نشد. لطفاً "
                                   "دوباره امتحان کنید و اگر خطا تکرار شد، با مسئول رایانه تماس بگیرید.")
                        .arg(ShownPath(path_)),
                    error.text());
}

} // namespace morva
