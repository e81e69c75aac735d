#pragma once

#include "records/stores.h"

#include <memory>

namespace morva {

class SettingsStore;
class SubjectStore;

// What the running program reaches its data through, opened once at its start: the desk's
// settings file and its subjects file, in the data folder (the working directory).
class AppContext {
public:
    // Prepares the data folder and both files and opens them. Throws DataError.
    AppContext();
    ~AppContext();
    AppContext(const AppContext &) = delete;
    AppContext &operator=(const AppContext &) = delete;

    Stores &stores() { return stores_; }

private:
    std::unique_ptr<SettingsStore> settings_;
    std::unique_ptr<SubjectStore> subjects_;
    Stores stores_;
};

} // namespace morva
