#include "app/app_context.h"

#include "records/sqlite/data_files.h"
#include "records/sqlite/sqlite_settings_store.h"
#include "records/sqlite/sqlite_subject_store.h"

namespace morva {
namespace {

// The data folder first; each store makes its own file ready.
std::unique_ptr<SettingsStore> OpenSettings()
{
    PrepareDataFolder();
    return std::make_unique<SqliteSettingsStore>(DataFilePath(DataFile::Settings));
}

} // namespace

AppContext::AppContext()
    : settings_(OpenSettings()),
      subjects_(std::make_unique<SqliteSubjectStore>(DataFilePath(DataFile::Subjects))),
      stores_{*settings_, *subjects_}
{
}

AppContext::~AppContext() = default;

} // namespace morva
