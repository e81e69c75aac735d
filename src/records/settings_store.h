#pragma once

#include "records/clinic_settings.h"
#include "records/server_choice.h"

#include <optional>

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

    // The clinic's shared server this desk keeps its subjects on; nothing for the desk's own file.
    virtual std::optional<ServerChoice> sharedServer() = 0;
    virtual void saveSharedServer(const std::optional<ServerChoice> &server) = 0;
};

} // namespace morva
