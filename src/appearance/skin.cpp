#include "appearance/skin.h"

#include "appearance/theme_files.h"

#include <QFile>
#include <QWidget>

namespace morva {
namespace {

QString ReadText(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return {};
    return QString::fromUtf8(file.readAll());
}

} // namespace

QString LoadSkin(const QString &fileName)
{
    if (fileName.isEmpty())
        return {};
    const QString local = ReadText(fileName);
    if (!local.trimmed().isEmpty())
        return local;
    return ReadText(QStringLiteral(":/skins/") + fileName);
}

void ApplyTheme(QWidget *window, const QString &themeFieldText)
{
    window->setStyleSheet(LoadSkin(ThemeSkinFile(themeFieldText)));
}

} // namespace morva
