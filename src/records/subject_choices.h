#pragma once

#include <QStringList>

namespace morva {

// The values a registration offers for the listed particulars, in the order the lists show
// them; each is stored as it stands.
const QStringList &MaritalStatuses();
const QStringList &Genders();
const QStringList &Groups();

} // namespace morva
