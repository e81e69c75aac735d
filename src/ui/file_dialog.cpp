#include "ui/file_dialog.h"

#include "common/files.h"
#include "ui/message_box.h"
#include "ui/modal.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>

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

SaveChoice AskSaveChoice(QWidget *owner, const QString &title, const QString &folder, const QString &proposed,
                         const QStringList &filters, QWidget *extra)
{
    QFileDialog dialog(owner, title, folder);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    // The program asks itself before replacing a file, in its own words.
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    dialog.selectFile(proposed);
    if (extra) {
        // Only the program's own dialog has room for a widget of ours: below the file type.
        dialog.setOption(QFileDialog::DontUseNativeDialog);
        if (auto *grid = qobject_cast<QGridLayout *>(dialog.layout()))
            grid->addWidget(extra, grid->rowCount(), 0, 1, grid->columnCount());
    }
    const QString path = Ask(dialog, filters);
    if (extra)
        extra->setParent(nullptr); // the caller's, to read after the dialog is gone
    if (path.isEmpty())
        return {};
    return {path, static_cast<int>(filters.indexOf(dialog.selectedNameFilter()))};
}

QString AskSavePath(QWidget *owner, const QString &title, const QString &folder, const QString &proposed,
                    const QStringList &filters)
{
    return AskSaveChoice(owner, title, folder, proposed, filters, nullptr).path;
}

bool MayReplace(QWidget *owner, const QString &path)
{
    return !QFileInfo::exists(path)
           || ShowMessageBox(owner,
                             QStringLiteral("فایل «%1» از پیش وجود دارد. آیا می‌خواهید آن را جایگزین کنید؟").arg(ShownPath(path)),
                             {}, BoxStyle::YesNo) == QMessageBox::Yes;
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
