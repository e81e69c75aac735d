#include "appearance/user_guide.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace morva {
namespace {

const QString &GuidePage()
{
    static const QString page = QStringLiteral("morva/guide/index.html");
    return page;
}

} // namespace

QString UserGuidePath(const QString &programFolder)
{
    const QFileInfo beside(QDir(programFolder).filePath(QStringLiteral("../share/") + GuidePage()));
    if (beside.isFile())
        return QDir::cleanPath(beside.absoluteFilePath());
    return QStandardPaths::locate(QStandardPaths::GenericDataLocation, GuidePage());
}

QString UserGuidePath()
{
    return UserGuidePath(QCoreApplication::applicationDirPath());
}

} // namespace morva
