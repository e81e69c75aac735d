#pragma once

#include "records/server_choice.h"

#include <QString>
#include <QTemporaryDir>

namespace morva::testing {

// A PostgreSQL server of the test's own: a cluster made with initdb in a temporary folder,
// listening on a Unix socket in that folder and on a free port of the loopback address (127.0.0.1),
// with the user "morva" trusted, started at once
// and stopped (and its folder removed) with the object. As root the server runs as the user
// nobody, since PostgreSQL refuses to run as root. Throws std::runtime_error with the tools' words
// when the server cannot be made or started (Debian: the package postgresql).
class PostgresServer {
public:
    PostgresServer();
    ~PostgresServer();
    PostgresServer(const PostgresServer &) = delete;
    PostgresServer &operator=(const PostgresServer &) = delete;

    // A new, empty database on the server, as a desk is told to reach it: through the socket, or
    // over the network's loopback as a room reaches the clinic's server.
    enum class Reach { Socket, Loopback };
    ServerChoice newDatabase(Reach reach = Reach::Socket);

    // Stops the server at once (as a crash or a power cut would), and starts it again.
    void stop();
    void start();

private:
    QString run(const QStringList &command) const;

    QTemporaryDir dir_;
    QString bin_;
    bool asNobody_ = false;
    int port_ = 0;
    int databases_ = 0;
};

// The server of this test program, started at its first use and stopped when the program ends.
PostgresServer &TestServer();

} // namespace morva::testing
