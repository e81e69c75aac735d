#pragma once

#include "records/clinic_settings.h"

namespace morva {

// Where the desk keeps its settings: the theme and the clinic's name and address. A failure
// throws DataError with the user's words.
class SettingsStore {
public:
    virtual ~SettingsStore() = default;

    virtual ClinicSettings read() = 0;
    // Writes the clinic's name and address as given, nothing else.
    virtual void saveClinic(const QString &name, const QString &address) = 0;
    // Writes the theme's number, nothing else.
    virtual void saveTheme(const QString &theme) = 0;
};

} // namespace morva
