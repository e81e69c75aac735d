#pragma once

#include <QString>

namespace morva {

// A subject code as it is stored and looked up: exactly as typed, except that digits typed on a
// Persian or Arabic keyboard (۱۲۳, ١٢٣) become the Latin digits 0 to 9. Every place where a
// code enters the program passes it through here.
QString NormalizedCode(const QString &typed);

} // namespace morva
