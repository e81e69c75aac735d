#include "appearance/ui/theme_panel.h"

#include "ui/controls.h"
#include "ui/twips.h"

#include <QPushButton>

namespace morva {

ThemePanel::ThemePanel(QWidget *parent) : QGroupBox(parent)
{
    SetUpPanel(this, QStringLiteral("Frame6"), {3420, 480, 2595, 7440});
    // The buttons' names do not follow the theme order.
    const int buttons[11] = {45, 44, 43, 42, 50, 49, 48, 47, 41, 52, 53};
    for (int theme = 1; theme <= 11; ++theme) {
        auto *button = PlaceButton(this, QStringLiteral("Command%1").arg(buttons[theme - 1]),
                                   QStringLiteral("تم شماره") + u' ' + QString::number(theme),
                                   {240, 240 + (theme - 1) * 540, 2115, 465});
        connect(button, &QPushButton::clicked, this, [this, theme] { Q_EMIT themeChosen(theme); });
    }
    connect(PlaceButton(this, QStringLiteral("Command46"), QStringLiteral("خروج"), {240, 6300, 2115, 465}),
            &QPushButton::clicked, this, &ThemePanel::closeRequested);
}

} // namespace morva
