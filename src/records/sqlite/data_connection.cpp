#include "records/sqlite/data_connection.h"

#include "common/files.h"
#include "common/timing.h"
#include "records/data_error.h"
#include "records/sqlite/data_files.h"

#include <QAtomicInteger>
#include <QFileInfo>
#include <QSqlDriver>
#include <QSqlError>

#include <sqlite3.h>

#include <algorithm>
#include <memory>
#include <utility>
#include <vector>

namespace morva {
namespace {

// How long a statement waits for a file that another program (or window) holds before it fails:
// long enough for a moment's write elsewhere, short enough that no window seems to hang.
constexpr int kBusyWaitMs = 3000;

// Whether SQLite's result code says that another connection holds the file.
bool FileHeld(int code)
{
    return (code & 0xff) == SQLITE_BUSY || (code & 0xff) == SQLITE_LOCKED; // extended codes too
}

// Binds a value as run() binds it: a number as a number, anything else as its text.
int Bind(sqlite3_stmt *statement, int index, const QVariant &value)
{
    if (value.isNull())
        return sqlite3_bind_null(statement, index);
    switch (value.typeId()) {
    case QMetaType::Bool:
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
        return sqlite3_bind_int64(statement, index, value.toLongLong());
    case QMetaType::Double:
        return sqlite3_bind_double(statement, index, value.toDouble());
    default:
        break;
    }
    const QByteArray text = value.toString().toUtf8();
    return sqlite3_bind_text64(statement, index, text.constData(), static_cast<sqlite3_uint64>(text.size()),
                               SQLITE_TRANSIENT, SQLITE_UTF8);
}

// The text with each byte that starts no whole UTF-8 character replaced by a question mark: as
// long as it is stored, so that what the store counted of it still holds.
QByteArray Repaired(QByteArrayView bytes)
{
    QByteArray text;
    text.reserve(bytes.size());
    for (qsizetype i = 0; i < bytes.size();) {
        const auto lead = static_cast<uchar>(bytes[i]);
        const qsizetype length = lead < 0x80 ? 1 : lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : 2;
        if (i + length <= bytes.size() && bytes.sliced(i, length).isValidUtf8()) {
            text.append(bytes.sliced(i, length));
            i += length;
        } else {
            text += '?';
            ++i;
        }
    }
    return text;
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
    const QString waiting = QStringLiteral("QSQLITE_BUSY_TIMEOUT=%1").arg(ScaledDelay(kBusyWaitMs));
    db.setConnectOptions(access == Access::ReadOnly ? waiting + QStringLiteral(";QSQLITE_OPEN_READONLY") : waiting);
    if (!db.open())
        fail(db.lastError());
}

DataConnection::~DataConnection()
{
    CloseNamedConnection(name_, depth_ > 0);
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
    return RunBound(QSqlDatabase::database(name_, false), sql, values, [this](const QSqlError &e) { fail(e); });
}

void DataConnection::readTexts(const QString &sql, const QVariantList &values,
                               const std::function<bool(TextRow)> &visit) const
{
    sqlite3 *db = handle();
    const QByteArray text = sql.toUtf8();
    sqlite3_stmt *prepared = nullptr;
    if (sqlite3_prepare_v2(db, text.constData(), static_cast<int>(text.size()), &prepared, nullptr) != SQLITE_OK)
        fail(sqlite3_errcode(db), QString::fromUtf8(sqlite3_errmsg(db)));
    const std::unique_ptr<sqlite3_stmt, int (*)(sqlite3_stmt *)> statement(prepared, sqlite3_finalize);
    for (int i = 0; i < values.size(); ++i) {
        if (Bind(prepared, i + 1, values[i]) != SQLITE_OK)
            fail(sqlite3_errcode(db), QString::fromUtf8(sqlite3_errmsg(db)));
    }
    const int columns = sqlite3_column_count(prepared);
    std::vector<QByteArrayView> row(static_cast<size_t>(columns));
    std::vector<QByteArray> repaired(static_cast<size_t>(columns));
    int step = SQLITE_ROW;
    while ((step = sqlite3_step(prepared)) == SQLITE_ROW) {
        for (int c = 0; c < columns; ++c) {
            const auto *bytes = reinterpret_cast<const char *>(sqlite3_column_text(prepared, c));
            if (!bytes) {
                if (sqlite3_column_type(prepared, c) != SQLITE_NULL) // no memory for the text
                    fail(SQLITE_NOMEM, QString::fromUtf8(sqlite3_errstr(SQLITE_NOMEM)));
                row[c] = QByteArrayView();
                continue;
            }
            row[c] = QByteArrayView(bytes, sqlite3_column_bytes(prepared, c));
            // The program stores UTF-8; a text that another program stored otherwise is handed on
            // repaired, so that no file gets its stray bytes.
            if (!row[c].isValidUtf8()) {
                repaired[c] = Repaired(row[c]);
                row[c] = repaired[c];
            }
        }
        if (!visit(row))
            return;
    }
    if (step != SQLITE_DONE)
        fail(sqlite3_errcode(db), QString::fromUtf8(sqlite3_errmsg(db)));
}

void DataConnection::transact(const std::function<void()> &work)
{
    RunTransaction(QSqlDatabase::database(name_, false), depth_, work, [this](const QSqlError &e) { fail(e); },
                   [] { return true; });
}

sqlite3 *DataConnection::handle() const
{
    // Qt's driver for SQLite hands out its connection as it is.
    const QVariant handle = QSqlDatabase::database(name_, false).driver()->handle();
    sqlite3 *db = qstrcmp(handle.typeName(), "sqlite3*") == 0 ? *static_cast<sqlite3 *const *>(handle.constData())
                                                                : nullptr;
    if (!db)
        fail(SQLITE_MISUSE, QStringLiteral("The connection is not open"));
    return db;
}

void DataConnection::fail(const QSqlError &error) const
{
    fail(error.nativeErrorCode().toInt(), error.text());
}

void DataConnection::fail(int code, const QString &systemText) const
{
    if (FileHeld(code))
        throw DataError(QStringLiteral("فایل اطلاعات «%1» اکنون در برنامه‌ی دیگری (یا پنجره‌ی دیگری از همین "
                                       "برنامه) باز است و پس از چند ثانیه هم آزاد نشد؛ هیچ تغییری در این فایل "
                                       "ذخیره نشد. لطفاً آن برنامه را ببندید و دوباره امتحان کنید.")
                            .arg(ShownPath(path_)),
                        systemText);
    throw DataError(QStringLiteral("کار با فایل اطلاعات «%1» با خطا روبه‌رو شد و هیچ تغییری در این فایل ذخیره نشد. لطفاً "
                                   "دوباره امتحان کنید و اگر خطا تکرار شد، با مسئول رایانه تماس بگیرید.")
                        .arg(ShownPath(path_)),
                    systemText);
}

} // namespace morva
