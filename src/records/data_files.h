#pragma once

#include "records/schema.h"

#include <QString>

#include <optional>

namespace morva {

// The relative path of a data file, resolved against the working directory.
QString DataFilePath(DataFile file);

// Makes sure the data folder and both data files are there and usable before any window opens
// them: a missing folder or file is created (owner-only permissions), a missing table or the
// settings row is added. A file that is not an SQLite database, or whose tables lack columns
// this program needs, is left untouched and reported. Throws DataError.
void PrepareDataFiles();

// Whether a journal beside the SQLite file at path still holds pages the file lacks: an
// interrupted write SQLite has not rolled back yet, or changes of a write-ahead log not yet in
// the file.
bool JournalPending(const QString &path);

// Whether the file at path is a whole subjects file of this program: an SQLite database that
// passes its integrity check and holds tables IDE and Answer with every column this program
// needs. Reads the file only. Returns what is wrong, in Persian, or nothing; advice follows the
// sentence that says what is wrong, before any technical detail.
std::optional<QString> CheckSubjectsFile(const QString &path, const QString &advice = {});

} // namespace morva
