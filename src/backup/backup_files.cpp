#include "backup/backup_files.h"

#include "common/safe_file.h"
#include "calendar/jalali.h"

#include <QDir>
#include <QFileInfo>

namespace morva {

QString BackupTimeText(const QTime &time)
{
    return QStringLiteral("%1.%2").arg(time.hour()).arg(time.minute(), 2, 10, QLatin1Char('0'));
}

QString BackupDateText(const QDateTime &moment)
{
    return PersianDateText(moment, 4);
}

QString BackupFileName(const QString &dateText, const QString &timeText)
{
    return QStringLiteral("در تاريخ") + dateText + QStringLiteral(" ساعت)") + timeText + QStringLiteral(")")
        + QStringLiteral(".mdbB");
}

QString WithBackupExtension(const QString &path, bool encrypted)
{
    const QString plain = QStringLiteral(".mdbB"), sealed = QStringLiteral(".mdbE");
    for (const QString &extension : {plain, sealed}) {
        if (path.endsWith(extension, Qt::CaseInsensitive))
            return path.chopped(extension.size()) + (encrypted ? sealed : plain);
    }
    return path;
}

QString KeptFilePath(const QString &folder, const QString &dateText, const QString &timeText)
{
    const QString name = QStringLiteral("پیش از بازیابی %1 ساعت %2").arg(dateText, timeText);
    QString path = QDir(folder).filePath(name + QStringLiteral(".mdbB"));
    for (int n = 2; QFileInfo::exists(path); ++n)
        path = QDir(folder).filePath(QStringLiteral("%1 (%2).mdbB").arg(name).arg(n));
    return path;
}

QString BackupFolder()
{
    const QString folder = QDir::current().absoluteFilePath(QStringLiteral("Back"));
    if (!QFileInfo::exists(folder))
        QDir().mkdir(folder, kOwnerOnlyFolder);
    return folder;
}

} // namespace morva
