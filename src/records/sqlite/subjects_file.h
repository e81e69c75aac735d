#pragma once

#include "common/database_copy.h"
#include "records/subject_store.h"

#include <QString>

#include <optional>

namespace morva {

// The desk's subjects file as a file: what a backup is made of and restored from.

// Makes sure that the SQLite file at path holds every committed change by itself before it is
// copied or replaced: no connection of this program is open to it, and a journal left by an
// interrupted write is rolled back. Returns what stands in the way, in Persian, or nothing.
std::optional<QString> SettleDatabaseFile(const QString &path);

// Whether the file at path is a whole subjects file that this program can take: an SQLite
// database that passes its integrity check, holds tables IDE and Answer with every column this
// program needs and is of no later version. Reads the file only. Returns what is wrong, in
// Persian, or nothing; advice follows the sentence that says what is wrong, before any technical
// detail. The sentence names the file as shownAs when one is given (the file the user chose, of
// which path holds the contents).
std::optional<QString> CheckSubjectsFile(const QString &path, const QString &advice = {}, const QString &shownAs = {});

// Restores the subjects file at live from the backup, losing nothing on the way:
// 1. the live file is settled (no connection open, no journal pending);
// 2. a backup whose last changes are still in a journal beside it is read whole through SQLite
//    into a scratch file beside the live file, so that none of them is left behind;
// 3. what will be restored is checked to be a whole subjects file (a backup that is not there is
//    left to the copy, which reports it) while it is copied beside the live file;
// 4. the live file is kept whole at kept (a second name of it on the same disk, else a copy);
// 5. the copy of the backup takes the live file's name.
// Every copy goes through CopyDatabaseFile: nothing at a path changes unless its file is whole,
// and nothing is kept when nothing is replaced.
// advice follows the sentence that refuses a backup.
RestoreOutcome RestoreSubjectsFile(const QString &backup, const QString &live, const QString &kept,
                                   const QString &advice, const BetweenChunks &betweenChunks = {});

} // namespace morva
