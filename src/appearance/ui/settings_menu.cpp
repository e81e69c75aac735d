#include "appearance/ui/settings_menu.h"

#include "ui/controls.h"
#include "ui/twips.h"

#include <QPushButton>

namespace morva {

SettingsMenu::SettingsMenu(QWidget *parent) : QGroupBox(parent)
{
    SetUpPanel(this, QStringLiteral("Frame8"), {6060, 3780, 2175, 2655});
    connect(PlaceButton(this, QStringLiteral("Command67"), QStringLiteral(" تعريف نام کلينيک"), {120, 240, 1935, 495}),
            &QPushButton::clicked, this, &SettingsMenu::clinicPanelRequested);
    connect(PlaceButton(this, QStringLiteral("Command68"), QStringLiteral("تغيير تم برنامه"), {120, 840, 1935, 495}),
            &QPushButton::clicked, this, &SettingsMenu::themePanelRequested);
    connect(PlaceButton(this, QStringLiteral("CmdSharedServer"), QStringLiteral("پایگاه داده‌ی مشترک"),
                        {120, 1440, 1935, 495}),
            &QPushButton::clicked, this, &SettingsMenu::sharedServerRequested);
    // Leaving stays the last entry.
    connect(PlaceButton(this, QStringLiteral("Command69"), QStringLiteral("خروج"), {120, 2040, 1935, 495}),
            &QPushButton::clicked, this, &SettingsMenu::closeRequested);
}

} // namespace morva
