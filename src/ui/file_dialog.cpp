#include "ui/file_dialog.h"

#include "ui/modal.h"

#include <QFileDialog>

namespace morva {
namespace {

QString Ask(QFileDialog &dialog, const QStringList &filters)
{
    dialog.setLayoutDirection(Qt::RightToLeft);
    dialog.setNameFilters(filters);
    if (ExecModal(dialog) != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().constFirst();
}

} // namespace

QString AskSavePath(QWidget *owner, const QString &title, const QString &folder, const QString &proposed,
                    const QStringList &filters)
{
    QFileDialog dialog(owner, title, folder);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    // The program asks itself before replacing a file, in its own words.
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    dialog.selectFile(proposed);
    return Ask(dialog, filters);
}

QString AskOpenPath(QWidget *owner, const QString &title, const QString &folder, const QStringList &filters)
{
    QFileDialog dialog(owner, title, folder);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    return Ask(dialog, filters);
}

QStringList NameFilters(const QString &pairs)
{
    const QStringList parts = pairs.split(u'|');
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2)
        filters << QStringLiteral("%1 (%2)").arg(parts[i].trimmed(), parts[i + 1].trimmed().replace(u';', u' '));
    return filters;
}

} // namespace morva
