#pragma once

#include <QString>
#include <QStringList>

class QWidget;

namespace morva {

// The program's file dialogs, right to left. proposed: a full path, or a bare file name in
// folder. Each returns the chosen path, or "" when the dialog was cancelled.
QString AskSavePath(QWidget *owner, const QString &title, const QString &folder, const QString &proposed,
                    const QStringList &filters);
// A save dialog with a widget of the caller's below its fields (a choice that goes with the
// file). filter: the index of the filter chosen, -1 when the dialog was cancelled.
struct SaveChoice {
    QString path;
    int filter = -1;
};
SaveChoice AskSaveChoice(QWidget *owner, const QString &title, const QString &folder, const QString &proposed,
                         const QStringList &filters, QWidget *extra);
QString AskOpenPath(QWidget *owner, const QString &title, const QString &folder, const QStringList &filters);

// Whether a file may be written at path: true when none is there, or when the user agrees to
// replace it.
bool MayReplace(QWidget *owner, const QString &path);

// Filters written as pairs of a description and its patterns, all joined by "|", in the form
// the dialogs show: "Database Backup |*.mdbB" gives "Database Backup (*.mdbB)".
QStringList NameFilters(const QString &pairs);

} // namespace morva
