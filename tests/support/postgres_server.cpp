#include "support/postgres_server.h"

#include <QDir>
#include <QFile>

#include <cstdlib>
#include <stdexcept>

#include <unistd.h>

namespace morva::testing {
namespace {

// The newest PostgreSQL's programs that Debian installs.
QString ProgramsFolder()
{
    QDir versions(QStringLiteral("/usr/lib/postgresql"));
    QStringList found = versions.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name);
    std::sort(found.begin(), found.end(), [](const QString &a, const QString &b) { return a.toInt() < b.toInt(); });
    for (auto v = found.crbegin(); v != found.crend(); ++v) {
        const QString bin = versions.filePath(*v + QStringLiteral("/bin"));
        if (QFile::exists(bin + QStringLiteral("/initdb")))
            return bin;
    }
    throw std::runtime_error("PostgreSQL's programs are not installed (Debian: the package postgresql)");
}

} // namespace

PostgresServer::PostgresServer() : bin_(ProgramsFolder()), asNobody_(geteuid() == 0)
{
    if (!dir_.isValid())
        throw std::runtime_error("no temporary folder for the test's server");
    if (asNobody_ && run({QStringLiteral("chown"), QStringLiteral("nobody:nogroup"), dir_.path()}) != QString())
        throw std::runtime_error("the test's server folder cannot be given to the user nobody");
    const QString failed = run({bin_ + QStringLiteral("/initdb"), QStringLiteral("-D"), dir_.filePath("data"),
                                QStringLiteral("-U"), QStringLiteral("morva"), QStringLiteral("-A"), QStringLiteral("trust"),
                                QStringLiteral("-E"), QStringLiteral("UTF8"), QStringLiteral("--no-locale"),
                                QStringLiteral("--no-sync")});
    if (!failed.isNull())
        throw std::runtime_error(("initdb failed: " + failed).toStdString());
    start();
}

PostgresServer::~PostgresServer()
{
    run({bin_ + QStringLiteral("/pg_ctl"), QStringLiteral("-D"), dir_.filePath("data"), QStringLiteral("-m"),
         QStringLiteral("immediate"), QStringLiteral("-w"), QStringLiteral("stop")});
}

ServerChoice PostgresServer::newDatabase(Reach reach)
{
    const QString name = QStringLiteral("subjects%1").arg(++databases_);
    const QString failed = run({bin_ + QStringLiteral("/createdb"), QStringLiteral("-h"), dir_.path(),
                                QStringLiteral("-p"), QString::number(port_), QStringLiteral("-U"),
                                QStringLiteral("morva"), name});
    if (!failed.isNull())
        throw std::runtime_error(("createdb failed: " + failed).toStdString());
    ServerChoice server;
    server.host = reach == Reach::Socket ? dir_.path() : QStringLiteral("127.0.0.1");
    server.port = QString::number(port_);
    server.database = name;
    server.user = QStringLiteral("morva");
    return server;
}

void PostgresServer::stop()
{
    const QString failed = run({bin_ + QStringLiteral("/pg_ctl"), QStringLiteral("-D"), dir_.filePath("data"),
                                QStringLiteral("-m"), QStringLiteral("immediate"), QStringLiteral("-w"),
                                QStringLiteral("stop")});
    if (!failed.isNull())
        throw std::runtime_error(("pg_ctl stop failed: " + failed).toStdString());
}

void PostgresServer::start()
{
    // A port of its own on the loopback address: the first of a few that no other program (a
    // test program running at the same time, say) has taken. The socket in the folder keeps test
    // programs apart as well.
    const int first = port_ ? port_ : 20000 + int(getpid() % 20000);
    QString failed;
    for (int port = first; port < first + (port_ ? 1 : 20); ++port) {
        const QString options =
            QStringLiteral("-k %1 -p %2 -c listen_addresses=127.0.0.1 -c fsync=off -c max_connections=40")
                .arg(dir_.path())
                .arg(port);
        failed = run({bin_ + QStringLiteral("/pg_ctl"), QStringLiteral("-D"), dir_.filePath("data"),
                      QStringLiteral("-l"), dir_.filePath("server.log"), QStringLiteral("-o"), options,
                      QStringLiteral("-w"), QStringLiteral("start")});
        if (failed.isNull()) {
            port_ = port;
            return;
        }
    }
    QFile log(dir_.filePath("server.log"));
    log.open(QIODevice::ReadOnly);
    throw std::runtime_error(("the test's server did not start: " + failed + log.readAll()).toStdString());
}

// Runs a command (as nobody where the test runs as root) in the server's folder; a null string
// when it succeeded, else what it printed. Through the shell, so that it also works while the
// program ends; every word is the test's own, quoted.
QString PostgresServer::run(const QStringList &command) const
{
    QStringList words;
    for (const QString &word : command)
        words << u'\'' + QString(word).replace(u'\'', QStringLiteral("'\\''")) + u'\'';
    QString line = words.join(u' ');
    if (asNobody_ && command.first() != QStringLiteral("chown"))
        line = QStringLiteral("runuser -u nobody -- ") + line;
    const QString output = dir_.filePath("command.out");
    line = QStringLiteral("cd '%1' && %2 >'%3' 2>&1").arg(dir_.path(), line, output);
    if (std::system(line.toLocal8Bit().constData()) == 0)
        return {};
    QFile out(output);
    out.open(QIODevice::ReadOnly);
    return QString::fromLocal8Bit(out.readAll()) + QStringLiteral(" (") + command.first() + u')';
}

PostgresServer &TestServer()
{
    static PostgresServer server;
    return server;
}

} // namespace morva::testing
