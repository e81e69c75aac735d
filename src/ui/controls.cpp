#include "ui/controls.h"

#include "ui/twips.h"

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>

namespace morva {

QPushButton *PlaceButton(QWidget *parent, const QString &name, const QString &caption, const QRect &twips)
{
    auto *button = new QPushButton(caption, parent);
    button->setObjectName(name);
    button->setGeometry(TwipsRect(twips));
    return button;
}

void SetUpPanel(QGroupBox *panel, const QString &name, const QRect &twips)
{
    panel->setObjectName(name);
    panel->setGeometry(TwipsRect(twips));
    panel->setProperty("panel", true);
    panel->hide();
}

QLabel *FieldCaption(QWidget *parent, const QString &text, QWidget *field)
{
    auto *caption = new QLabel(text, parent);
    caption->setBuddy(field);
    caption->setLayoutDirection(Qt::LeftToRight);
    caption->setAlignment(Qt::AlignLeft | Qt::AlignAbsolute | Qt::AlignVCenter);
    return caption;
}

} // namespace morva
