#include "backup/backup_files.h"

#include "backup/safe_file.h"
#include "calendar/jalali.h"
#include "records/data_files.h"

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

QString BackupFolder()
{
    const QString folder = QDir::current().absoluteFilePath(QStringLiteral("Back"));
    if (!QFileInfo::exists(folder))
        QDir().mkdir(folder, kOwnerOnly | QFileDevice::ExeOwner);
    return folder;
}

QString LiveDatabasePath()
{
    return QFileInfo(DataFilePath(DataFile::Subjects)).absoluteFilePath();
}

} // namespace morva
