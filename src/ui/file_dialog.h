#pragma once

#include <QString>
#include <QStringList>

class QWidget;

namespace morva {

// The program's file dialogs, right to left. proposed: a full path, or a bare file name in
// folder. Each returns the chosen path, or "" when the dialog was cancelled.
QString AskSavePath(QWidget *owner, const QString &title, const QString &folder, const QString &proposed,
                    const QStringList &filters);
QString AskOpenPath(QWidget *owner, const QString &title, const QString &folder, const QStringList &filters);

// Filters written as pairs of a description and its patterns, all joined by "|", in the form
// the dialogs show: "Database Backup |*.mdbB" gives "Database Backup (*.mdbB)".
QStringList NameFilters(const QString &pairs);

} // namespace morva
