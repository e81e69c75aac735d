#pragma once

#include "records/stores.h"

#include <QString>

#include <functional>
#include <memory>
#include <optional>

namespace morva {

class DataError;
class ServerNeedsPassword;
class SettingsStore;
class SubjectStore;

// What the start asks the user when the settings name a clinic's shared server that cannot be used
// as it is.
struct ServerQuestions {
    // The password the server asks for, asked once; nothing when the user gives none.
    std::function<std::optional<QString>(const ServerNeedsPassword &)> password;
    // Whether this run goes on with the desk's own subjects file after the server failed.
    std::function<bool(const DataError &)> useDeskFile;
};

// What the running program reaches its data through, opened once at its start: the desk's
// settings file, in the data folder (the working directory), and the subjects where the settings
// keep them: the clinic's shared server, or the desk's own subjects file beside the settings.
class AppContext {
public:
    // Prepares the data folder and the files the program uses, and opens them; a shared server
    // that asks for a password or cannot be reached is taken up with the user as questions say.
    // Nothing when the user chose to end rather than work on the desk's file. Throws DataError.
    static std::unique_ptr<AppContext> Open(const ServerQuestions &questions);
    ~AppContext();
    AppContext(const AppContext &) = delete;
    AppContext &operator=(const AppContext &) = delete;

    Stores &stores() { return stores_; }

private:
    AppContext(std::unique_ptr<SettingsStore> settings, std::unique_ptr<SubjectStore> subjects);

    std::unique_ptr<SettingsStore> settings_;
    std::unique_ptr<SubjectStore> subjects_;
    Stores stores_;
};

} // namespace morva
