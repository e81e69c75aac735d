#pragma once

#include "records/schema.h"

#include <QString>

#include <optional>

namespace morva {

// Each data file keeps the version of its tables (PRAGMA user_version); a file of the first release
// carries none and counts as version 1. The steps from one version to the next are the subjects'
// migrations (records/sql/migrations.h) and the settings' own.

// The version of its tables that this program writes into a data file of this kind.
int LatestVersion(DataFile kind);

// The relative path of a data file, resolved against the working directory (the data folder).
QString DataFilePath(DataFile file);

// Makes sure the data folder exists, readable by its owner only. Throws DataError.
void PrepareDataFolder();

// Makes a data file usable: a missing or empty one is created with our tables at this
// program's version (owner-only); an existing one is checked and, when it is of an earlier
// version, brought forward in one transaction after a copy of it is kept beside it (its name and
// ".v" with its version). A file that is not an SQLite database, lacks tables or columns this
// program needs, or was made by a later version of the program is left untouched and reported.
// Throws DataError.
void PrepareDataFile(const QString &path, DataFile kind);

// The version of a data file's tables; nothing when it cannot be read.
std::optional<int> DataFileVersion(const QString &path);

// Whether a journal beside the SQLite file at path still holds pages the file lacks: an
// interrupted write SQLite has not rolled back yet, or changes of a write-ahead log not yet in
// the file.
bool JournalPending(const QString &path);

// How far a data file is checked: its header, version, tables and columns only (what every start
// reads), or every page as well (SQLite's quick_check: after an interrupted write, and for a file
// about to replace the subjects).
enum class FileCheck { Schema, Pages };

// What keeps the file at path from being a data file of this kind that this program can take:
// not SQLite, damaged, tables or columns missing, or a later version. A sentence naming the file
// («%1»), and a technical detail for its own line. Reads the file only.
struct FileDefect {
    QString sentence;
    QString detail;
    QString text(const QString &path, const QString &more = {}) const;
};
std::optional<FileDefect> DefectOf(const QString &path, DataFile kind, FileCheck check);

} // namespace morva
