#include "appearance/theme_files.h"

#include "records/leading_number.h"

namespace morva {
namespace {

// Indexed by theme number - 1.
const char *const kThemeSkinFiles[11] = {
    "chizh.skn",    "Green.skn",     "galaxy.skn",   "_temp.skn",
    "B-Studio.skn", "Mac.skn",       "TopSecret.skn", "metallic.skn",
    "Paper.skn",    "winaqua.skn",   "office2007.skn",
};

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

} // namespace morva
