#include "appearance/theme_files.h"

#include "records/leading_number.h"

#include <QFile>
#include <QStandardPaths>

namespace morva {
namespace {

// Indexed by theme number - 1.
const char *const kThemeSkinFiles[11] = {
    "chizh.skn",    "Green.skn",     "galaxy.skn",   "_temp.skn",
    "B-Studio.skn", "Mac.skn",       "TopSecret.skn", "metallic.skn",
    "Paper.skn",    "winaqua.skn",   "office2007.skn",
};

QString ReadText(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return {};
    return QString::fromUtf8(file.readAll());
}

} // namespace

QString ThemeSkinFile(const QString &themeFieldText)
{
    const double number = LeadingNumber(themeFieldText);
    for (int theme = 1; theme <= 11; ++theme) {
        if (number == theme)
            return QString::fromLatin1(kThemeSkinFiles[theme - 1]);
    }
    return {};
}

QString LoadSkin(const QString &fileName)
{
    if (fileName.isEmpty())
        return {};
    QStringList places{fileName};
    places << QStandardPaths::locateAll(QStandardPaths::GenericDataLocation, QStringLiteral("morva/skins/") + fileName);
    places << QStringLiteral(":/skins/") + fileName;
    for (const QString &place : std::as_const(places)) {
        const QString skin = ReadText(place);
        if (!skin.trimmed().isEmpty())
            return skin;
    }
    return {};
}

} // namespace morva
