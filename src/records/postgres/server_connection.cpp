#include "records/postgres/server_connection.h"

#include "common/display_text.h"
#include "records/data_error.h"
#include "records/postgres/libpq_calls.h"

#include <QAtomicInteger>
#include <QSqlDatabase>
#include <QSqlDriver>
#include <QSqlError>

#include <exception>
#include <memory>
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

// The statement with its places for values (?) numbered as the server numbers them ($1, $2 …);
// a question mark inside a quoted text or name stays as it is.
QByteArray NumberedPlaces(const QString &sql)
{
    QByteArray numbered;
    int place = 0;
    QChar quote;
    for (const QChar c : sql) {
        if (!quote.isNull()) {
            if (c == quote)
                quote = QChar();
        } else if (c == u'\'' || c == u'"') {
            quote = c;
        } else if (c == u'?') {
            numbered += '$' + QByteArray::number(++place);
            continue;
        }
        numbered += QString(c).toUtf8();
    }
    return numbered;
}

using Result = std::unique_ptr<PGresult, void (*)(PGresult *)>;

} // namespace

ServerConnection::ServerConnection(const ServerChoice &server, const std::optional<QString> &password,
                                   const QString &owner)
    : server_(server), password_(password), name_(ConnectionName(owner))
{
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), name_);
    if (!db.isValid() || !(pq_ = LibPq::Loaded()))
        throw DataError(QStringLiteral("این نسخه‌ی نصب‌شده‌ی برنامه نمی‌تواند به پایگاه داده‌ی مشترک وصل شود؛ لطفاً از "
                                       "مسئول رایانه بخواهید بسته‌ی libqt6sql6-psql را نصب کند."));
    db.setHostName(server.host);
    if (!server.port.isEmpty())
        db.setPort(server.port.toInt());
    db.setDatabaseName(server.database);
    db.setUserName(server.user);
    if (password)
        db.setPassword(*password);
    // The server's notices ("… already exists, skipping") are of no use to a room. A statement
    // kept prepared is planned for its values each time: a plan made once for any value reads the
    // whole table for a group of a few subjects.
    db.setConnectOptions(QStringLiteral("sslmode=%1;connect_timeout=5;options='-cclient_min_messages=warning "
                                        "-cplan_cache_mode=force_custom_plan'")
                             .arg(server.tlsMode));
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
    reconnectIfLost();
    const QSqlDatabase db = QSqlDatabase::database(name_, false);
    const auto failure = [this](const QSqlError &e) { fail(e); };
    if (!values.isEmpty())
        return RunBound(db, sql, values, failure);
    // A statement without values runs as it is: the server prepares no table changes.
    QSqlQuery query(db);
    query.setForwardOnly(true);
    if (!query.exec(sql))
        failure(query.lastError());
    return query;
}

// Through libpq on the driver's own connection: the statement, prepared once on the connection,
// goes with its values in one message and its rows come back one at a time, in the UTF-8 the server
// sends, so that a read costs one round trip and no planning, and its memory does not grow with
// the rows.
void ServerConnection::readTexts(const QString &sql, const QVariantList &values,
                                 const std::function<bool(TextRow)> &visit) const
{
    reconnectIfLost();
    auto *connection = *static_cast<PGconn *const *>(QSqlDatabase::database(name_, false).driver()->handle().data());
    // A statement Qt's driver ran leaves the end of its results unread while its query lives: it is
    // taken here, so that the connection is free for this one.
    while (pq_->transactionStatus(connection) == PQTRANS_ACTIVE) {
        PGresult *left = pq_->getResult(connection);
        if (!left)
            break;
        pq_->clear(left);
    }
    std::vector<QByteArray> texts;
    std::vector<const char *> places;
    for (const QVariant &v : values) {
        texts.push_back(v.isNull() ? QByteArray() : v.toString().toUtf8());
        places.push_back(v.isNull() ? nullptr : texts.back().constData());
    }
    const auto failure = [&](const PGresult *result) {
        const char *state = result ? pq_->resultErrorField(result, PG_DIAG_SQLSTATE) : nullptr;
        const char *message = result ? pq_->resultErrorMessage(result) : pq_->errorMessage(connection);
        fail(QSqlError(QString(), QString::fromUtf8(message),
                       pq_->status(connection) == CONNECTION_BAD ? QSqlError::ConnectionError : QSqlError::StatementError,
                       QString::fromLatin1(state)));
    };
    const QByteArray &statement = prepared(connection, sql, static_cast<int>(places.size()), failure);
    if (!pq_->sendQueryPrepared(connection, statement.constData(), static_cast<int>(places.size()), places.data(),
                             nullptr, nullptr, 0)
        || !pq_->setSingleRowMode(connection))
        failure(nullptr);
    bool visiting = true;
    std::exception_ptr thrown;
    std::optional<Result> failed;
    std::vector<QByteArrayView> row;
    // Every result is taken, even after visit has had enough, so that the connection is free again.
    while (PGresult *taken = pq_->getResult(connection)) {
        Result result(taken, pq_->clear);
        const ExecStatusType status = pq_->resultStatus(taken);
        if (status == PGRES_SINGLE_TUPLE && visiting) {
            row.resize(static_cast<size_t>(pq_->nfields(taken)));
            for (int c = 0; c < pq_->nfields(taken); ++c)
                row[c] = pq_->getisnull(taken, 0, c) ? QByteArrayView()
                                                  : QByteArrayView(pq_->getvalue(taken, 0, c), pq_->getlength(taken, 0, c));
            try {
                visiting = visit(row);
            } catch (...) {
                thrown = std::current_exception();
                visiting = false;
            }
        } else if (status != PGRES_SINGLE_TUPLE && status != PGRES_TUPLES_OK && !failed) {
            failed.emplace(std::move(result));
        }
    }
    if (thrown)
        std::rethrow_exception(thrown);
    if (failed)
        failure(failed->get());
    if (pq_->status(connection) == CONNECTION_BAD)
        failure(nullptr);
}

const QByteArray &ServerConnection::prepared(PGconn *connection, const QString &sql, int values,
                                            const std::function<void(const PGresult *)> &failure) const
{
    if (const auto known = prepared_.find(sql); known != prepared_.end())
        return known->second;
    const QByteArray name = "morva_read_" + QByteArray::number(prepared_.size() + 1);
    const Result result(pq_->prepare(connection, name.constData(), NumberedPlaces(sql).constData(), values, nullptr),
                        pq_->clear);
    if (pq_->resultStatus(result.get()) != PGRES_COMMAND_OK)
        failure(result.get());
    return prepared_.emplace(sql, name).first->second;
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
    if (depth_ > 0) // the transaction went with the connection
        throw lostConnection({});
    QSqlDatabase::database(name_, false).close();
    prepared_.clear();
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
