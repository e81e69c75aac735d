#pragma once

#include "backup/database_copy.h"

#include <QString>

#include <optional>

namespace morva {

// How a restore ended, and the words for why it stopped.
struct RestoreOutcome {
    enum class Stop {
        None,       // the backup is the live file now
        LiveBusy,   // the live file could not be settled: nothing was done
        NotABackup, // the chosen file is no whole subjects file: nothing was done
        NotKept,    // the live file could not be kept: nothing was restored
        NotCopied,  // the copy over the live file failed: the live file is as it was
    };
    Stop stop = Stop::None;
    QString why; // Persian for the first three, the system's words for the last two
};

// Restores the subjects file at live from the backup, losing nothing on the way:
// 1. the live file is settled (no connection open, no journal pending);
// 2. a backup whose last changes are still in a journal beside it is read whole through SQLite
//    into a scratch file beside the live file, so that none of them is left behind;
// 3. what will be restored is checked to be a whole subjects file (a backup that is not there is left to
//    the copy, which reports it);
// 4. the live file is copied whole to kept (with no connection open, byte for byte);
// 5. the backup is copied over the live file.
// Every copy goes through CopyDatabaseFile: nothing at a path changes unless its file is whole.
// advice follows the sentence that refuses a backup.
RestoreOutcome RestoreSubjectsFile(const QString &backup, const QString &live, const QString &kept,
                                   const QString &advice, const BetweenChunks &betweenChunks = {});

// The number of subjects in a subjects file, read without writing; nothing when it cannot be read.
std::optional<qint64> StoredSubjectCount(const QString &path);

} // namespace morva
