#include "appearance/theme_files.h"

#include "common/numbers.h"

#include <QFile>
#include <QStandardPaths>
#include <QStringDecoder>

namespace morva {
namespace {

// Indexed by theme number - 1.
const char *const kThemeSkinFiles[11] = {
    "chizh.skn",    "Green.skn",     "galaxy.skn",   "_temp.skn",
    "B-Studio.skn", "Mac.skn",       "TopSecret.skn", "metallic.skn",
    "Paper.skn",    "winaqua.skn",   "office2007.skn",
};

// Whether a text is made of style rules: no control characters but blanks and line breaks, and
// outside comments, braces that open and close in turn around at least one rule. Qt's own reading
// of a style sheet reports nothing that a program can act on, and versions of Qt differ in what
// they make of a broken one.
bool IsStyleSheet(const QString &text)
{
    int rules = 0;
    bool open = false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c.category() == QChar::Other_Control && c != u'\n' && c != u'\r' && c != u'\t' && c != u'\f')
            return false;
        if (c == u'/' && text.mid(i, 2) == QLatin1String("/*")) {
            i = text.indexOf(QLatin1String("*/"), i + 2);
            if (i < 0)
                return false;
            ++i;
        } else if (c == u'{') {
            if (open)
                return false;
            open = true;
        } else if (c == u'}') {
            if (!open)
                return false;
            open = false;
            ++rules;
        }
    }
    return !open && rules > 0;
}

// The file's text when it is a skin; "" when it is missing, unreadable or not a style sheet.
QString ReadSkin(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return {};
    QStringDecoder utf8(QStringDecoder::Utf8);
    const QString text = utf8.decode(file.readAll());
    return !utf8.hasError() && IsStyleSheet(text) ? text : QString();
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
        const QString skin = ReadSkin(place);
        if (!skin.isEmpty())
            return skin;
    }
    return {};
}

} // namespace morva
