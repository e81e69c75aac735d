#pragma once

#include <QDateTime>
#include <QString>
#include <QTime>

namespace morva {

// The time of day as the backup window shows it and names backups by it: the hours without a
// leading zero, a point and the minutes in two digits (9.05, 14.30).
QString BackupTimeText(const QTime &time);

// The date as the backup window shows it: the Persian date joined by points (1402.5.9).
QString BackupDateText(const QDateTime &moment);

// The name proposed for a new backup, from the date and time texts that the window shows.
QString BackupFileName(const QString &dateText, const QString &timeText);

// path with the extension of a plain backup (.mdbB) or of an encrypted one (.mdbE) in place of
// either; a path that ends in neither is given as it is.
QString WithBackupExtension(const QString &path, bool encrypted);

// Where a restore keeps the subjects file it replaces: in folder, named «پیش از بازیابی» with the
// date and time texts of the window, and a number where that name is taken.
QString KeptFilePath(const QString &folder, const QString &dateText, const QString &timeText);

// The folder in which the file dialogs of the backup window open: Back in the data folder,
// created readable by its owner only when it is missing. The path is given even when it could
// not be created (the dialogs then open where they can).
QString BackupFolder();

} // namespace morva
