#pragma once

#include <QString>
#include <QStringList>

#include <optional>

namespace morva {

// A clinic's shared server of subjects, as a desk is told to reach it. No password is ever kept:
// the server's own ways give it (~/.pgpass, a login of the desk's user on the server's machine)
// or the user types it once per start.
struct ServerChoice {
    QString host;     // a name, an address, or the folder of the server's socket; "" for the default
    QString port;     // "" for the default, 5432
    QString database;
    QString user;     // "" for the desk's own user name
    QString tlsMode = QStringLiteral("prefer"); // disable, prefer, require, verify-full

    friend bool operator==(const ServerChoice &, const ServerChoice &) = default;
};

// The TLS modes a desk may ask for, in the order a panel offers them.
inline const QStringList &TlsModes()
{
    static const QStringList modes{QStringLiteral("prefer"), QStringLiteral("require"), QStringLiteral("verify-full"),
                                   QStringLiteral("disable")};
    return modes;
}

// A server choice as a desk's user typed it, made ready to keep: blanks around each field gone, the
// port in Latin digits (a Persian keyboard types Persian ones). Returns why it cannot be kept, in
// Persian: no database named, or a port that is no number from 1 to 65535.
std::optional<QString> TidyServerChoice(ServerChoice &server);

} // namespace morva
