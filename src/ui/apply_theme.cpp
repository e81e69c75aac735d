#include "ui/apply_theme.h"

#include "appearance/theme_files.h"

#include <QWidget>

namespace morva {

void ApplyTheme(QWidget *window, const QString &themeFieldText)
{
    window->setStyleSheet(LoadSkin(ThemeSkinFile(themeFieldText)));
}

} // namespace morva
