#pragma once

#include "records/server_choice.h"

#include <QString>
#include <QStringList>

#include <optional>

namespace morva {

class PostgresSubjectStore;

// A server choice as a desk's user typed it, made ready to keep: blanks around each field gone, the
// port in Latin digits (a Persian keyboard types Persian ones). Returns why it cannot be kept, in
// Persian: no database named, or a port that is no number from 1 to 65535.
std::optional<QString> TidyServerChoice(ServerChoice &server);

// The desk's subjects copied into the clinic's server: how many went, and the codes left out
// because the server has them already.
struct TakenSubjects {
    qint64 taken = 0;
    QStringList leftOut;
};

// Copies the subjects of the desk's file at deskFile into the server in one transaction (the file
// stays as it is). Throws DataError.
TakenSubjects TakeDeskSubjects(PostgresSubjectStore &server, const QString &deskFile);

} // namespace morva
