#include "records/postgres/server_connection.h"

#include "common/display_text.h"
#include "records/data_error.h"

#include <QAtomicInteger>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlRecord>

#include <vector>

namespace morva {
namespace {

QString ConnectionName(const QString &owner)
{
    static QAtomicInteger<int> serial;
    return QStringLiteral("server/%1/%2").arg(owner).arg(serial.fetchAndAddRelaxed(1));
}

// A failure that tells of a lost connection rather than of a statement: libpq gives no SQL state
// when the connection broke, and the states of class 08 and 57P0 are the server's own word for it.
bool ConnectionLost(const QSqlError &error)
{
    const QString state = error.nativeErrorCode();
    return error.type() == QSqlError::ConnectionError || state.isEmpty() || state.startsWith(QLatin1String("08"))
           || state.startsWith(QLatin1String("57P0"));
}

} // namespace

ServerConnection::ServerConnection(const ServerChoice &server, const std::optional<QString> &password,
                                   const QString &owner)
    : server_(server), password_(password), name_(ConnectionName(owner))
{
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), name_);
    if (!db.isValid())
        throw DataError(QStringLiteral("این نسخه‌ی نصب‌شده‌ی برنامه نمی‌تواند به پایگاه داده‌ی مشترک وصل شود؛ لطفاً از "
                                       "مسئول رایانه بخواهید بسته‌ی libqt6sql6-psql را نصب کند."));
    db.setHostName(server.host);
    if (!server.port.isEmpty())
        db.setPort(server.port.toInt());
    db.setDatabaseName(server.database);
    db.setUserName(server.user);
    if (password)
        db.setPassword(*password);
    // The server's notices ("… already exists, skipping") are of no use to a room.
    db.setConnectOptions(
        QStringLiteral("sslmode=%1;connect_timeout=5;options=-cclient_min_messages=warning").arg(server.tlsMode));
    connect();
}

ServerConnection::~ServerConnection()
{
    CloseNamedConnection(name_, depth_ > 0);
}

QString ServerConnection::ShownServer(const ServerChoice &server)
{
    const QString host = server.host.isEmpty() ? QStringLiteral("localhost") : server.host;
    return QStringLiteral("«%1» روی «%2»")
        .arg(Isolated(server.database), Isolated(server.port.isEmpty() ? host : host + u':' + server.port));
}

void ServerConnection::connect() const
{
    QSqlDatabase db = QSqlDatabase::database(name_, false);
    if (db.open()) {
        lost_ = false;
        return;
    }
    const QString detail = db.lastError().text();
    if (detail.contains(QLatin1String("no password supplied")) || detail.contains(QLatin1String("password authentication")))
        throw ServerNeedsPassword(QStringLiteral("پایگاه داده‌ی مشترک %1 برای این نام کاربری گذرواژه می‌خواهد.")
                                      .arg(ShownServer(server_)),
                                  detail);
    throw DataError(QStringLiteral("اتصال به پایگاه داده‌ی مشترک %1 برقرار نشد. لطفاً روشن بودن سرور، اتصال شبکه و "
                                   "نشانی سرور را بررسی کنید و دوباره امتحان کنید.")
                        .arg(ShownServer(server_)),
                    detail);
}

QSqlQuery ServerConnection::run(const QString &sql, const QVariantList &values) const
{
    if (lost_ && depth_ > 0) // the transaction went with the connection
        throw lostConnection({});
    reconnectIfLost();
    QSqlQuery query(QSqlDatabase::database(name_, false));
    query.setForwardOnly(true);
    // A statement without values runs as it is: the server prepares no table changes.
    if (values.isEmpty()) {
        if (!query.exec(sql))
            fail(query.lastError());
        return query;
    }
    if (!query.prepare(sql))
        fail(query.lastError());
    for (const QVariant &v : values)
        query.addBindValue(v);
    if (!query.exec())
        fail(query.lastError());
    return query;
}

// The server sends its texts in UTF-8 already; Qt's driver hands them on as values, made UTF-8
// again here, a row at a time.
void ServerConnection::readTexts(const QString &sql, const QVariantList &values,
                                 const std::function<bool(TextRow)> &visit) const
{
    QSqlQuery query = run(sql, values);
    const int columns = query.record().count();
    std::vector<QByteArray> texts(static_cast<size_t>(columns));
    std::vector<QByteArrayView> row(static_cast<size_t>(columns));
    while (query.next()) {
        for (int c = 0; c < columns; ++c) {
            const QVariant value = query.value(c);
            texts[c] = value.isNull() ? QByteArray() : value.toString().toUtf8();
            row[c] = value.isNull() ? QByteArrayView() : QByteArrayView(texts[c]);
        }
        if (!visit(row))
            return;
    }
    if (query.lastError().isValid())
        fail(query.lastError());
}

void ServerConnection::transact(const std::function<void()> &work)
{
    if (depth_ == 0)
        reconnectIfLost();
    RunTransaction(QSqlDatabase::database(name_, false), depth_, work, [this](const QSqlError &e) { fail(e); },
                   [this] { return !lost_; });
}

void ServerConnection::reconnectIfLost() const
{
    if (!lost_)
        return;
    QSqlDatabase::database(name_, false).close();
    connect();
}

DataError ServerConnection::lostConnection(const QString &detail) const
{
    return DataError(QStringLiteral("اتصال به پایگاه داده‌ی مشترک %1 قطع شد و این تغییر ذخیره نشد؛ آنچه پیش‌تر ذخیره "
                                    "شده بود سالم است. لطفاً روشن بودن سرور و اتصال شبکه را بررسی کنید؛ برنامه در کار "
                                    "بعدی دوباره به سرور وصل می‌شود.")
                         .arg(ShownServer(server_)),
                     detail);
}

void ServerConnection::fail(const QSqlError &error) const
{
    if (ConnectionLost(error)) {
        lost_ = true;
        throw lostConnection(error.text());
    }
    throw DataError(QStringLiteral("کار با پایگاه داده‌ی مشترک %1 با خطا روبه‌رو شد و این تغییر ذخیره نشد. لطفاً "
                                   "دوباره امتحان کنید و اگر خطا تکرار شد، با مسئول رایانه تماس بگیرید.")
                        .arg(ShownServer(server_)),
                    error.text());
}

} // namespace morva
