#include "app/app_context.h"

#include "records/data_error.h"
#include "records/postgres/postgres_subject_store.h"
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

std::unique_ptr<SubjectStore> OpenDeskFile()
{
    return std::make_unique<SqliteSubjectStore>(DataFilePath(DataFile::Subjects));
}

// The server's store; the desk's file when the server fails and the user would rather go on with
// it; nothing when the user would rather end.
std::unique_ptr<SubjectStore> OpenServer(const ServerChoice &server, const ServerQuestions &ask)
{
    try {
        try {
            return std::make_unique<PostgresSubjectStore>(server, std::nullopt);
        } catch (const ServerNeedsPassword &needs) {
            const std::optional<QString> password = ask.password(needs);
            if (!password)
                throw;
            return std::make_unique<PostgresSubjectStore>(server, password);
        }
    } catch (const DataError &error) {
        if (!ask.useDeskFile(error))
            return nullptr;
    }
    return OpenDeskFile();
}

} // namespace

std::unique_ptr<AppContext> AppContext::Open(const ServerQuestions &questions)
{
    std::unique_ptr<SettingsStore> settings = OpenSettings();
    const std::optional<ServerChoice> server = settings->sharedServer();
    std::unique_ptr<SubjectStore> subjects = server ? OpenServer(*server, questions) : OpenDeskFile();
    if (!subjects)
        return nullptr;
    return std::unique_ptr<AppContext>(new AppContext(std::move(settings), std::move(subjects)));
}

AppContext::AppContext(std::unique_ptr<SettingsStore> settings, std::unique_ptr<SubjectStore> subjects)
    : settings_(std::move(settings)), subjects_(std::move(subjects)), stores_{*settings_, *subjects_}
{
}

AppContext::~AppContext() = default;

} // namespace morva
