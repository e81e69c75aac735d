#pragma once

#include <QList>

#include <functional>

namespace morva {

class SqlConnection;

// The steps that bring a store of subjects from one version of its tables to the next, whatever
// keeps them: the step at index i takes version i + 1 to version i + 2. Each runs inside the
// transaction of the whole migration.
const QList<std::function<void(SqlConnection &)>> &SubjectsMigrations();

// The version the steps bring a store of subjects to.
int SubjectsVersion();

} // namespace morva
