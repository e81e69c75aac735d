#pragma once

#include "records/settings_store.h"

#include <QString>

#include <memory>

namespace morva {

class DataConnection;

// The desk's settings file (DB/DB.mdb): the first row of its table Theme.
class SqliteSettingsStore final : public SettingsStore {
public:
    // The file at path, prepared as the subjects file is. Throws DataError.
    explicit SqliteSettingsStore(const QString &path);
    ~SqliteSettingsStore() override;

    ClinicSettings read() override;
    void saveClinic(const QString &name, const QString &address) override;
    void saveTheme(const QString &theme) override;
    std::optional<ServerChoice> sharedServer() override;
    void saveSharedServer(const std::optional<ServerChoice> &server) override;

private:
    std::unique_ptr<DataConnection> db_;
};

} // namespace morva
