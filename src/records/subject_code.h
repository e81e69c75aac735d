#pragma once

#include <QString>

namespace morva {

class DataConnection;

// A subject code as it is stored and looked up: exactly as typed, except that digits typed on a
// Persian or Arabic keyboard (۱۲۳, ١٢٣) become the Latin digits 0 to 9. Every place where a
// code enters the program passes it through here.
QString NormalizedCode(const QString &typed);

// Codes stored by earlier versions with Persian or Arabic digits are rewritten with Latin ones,
// in IDE and Answer alike and in one transaction, so that the subjects stay reachable. A code
// whose Latin form another subject already has is left as it is. Throws DataError.
void NormalizeStoredCodes(DataConnection &subjects);

} // namespace morva
