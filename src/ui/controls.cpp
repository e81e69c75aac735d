#include "ui/controls.h"

#include "common/display_text.h"
#include "ui/twips.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
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
    // A label lays its text out in the direction of its first strong letter, the Persian word:
    // after a left-to-right mark, the colon written first stands at the word's left, by the field.
    auto *caption = new QLabel(QChar(0x200E) + text, parent);
    caption->setTextFormat(Qt::PlainText);
    caption->setBuddy(field);
    caption->setLayoutDirection(Qt::LeftToRight);
    caption->setAlignment(Qt::AlignLeft | Qt::AlignAbsolute | Qt::AlignVCenter);
    return caption;
}

void ShowFitted(QLabel *label, const QString &text, double minPoints)
{
    label->setStyleSheet(QString()); // back to the font the theme gives
    label->setTextFormat(Qt::PlainText); // a stored text shows as it is, never as markup
    label->setToolTip(PlainToolTip(text));
    label->setText(text);
    if (text.isEmpty()) {
        label->setWordWrap(false);
        return; // nothing to fit, and nothing to measure it in
    }
    label->ensurePolished(); // a label not yet styled still has the window's font, not the theme's
    const double designed = label->font().pointSizeF();
    const auto fits = [label] {
        if (label->wordWrap())
            return label->heightForWidth(label->width()) <= label->height();
        const QSize needed = label->sizeHint();
        return needed.width() <= label->width() && needed.height() <= label->height();
    };
    // One line if it can be, else two, each from the designed size down to the smallest.
    for (const bool wrap : {false, true}) {
        label->setWordWrap(wrap);
        for (double points = designed; points >= minPoints; points -= 0.5) {
            if (points < designed)
                label->setStyleSheet(QStringLiteral("font-size: %1pt;").arg(points));
            if (fits())
                return;
        }
    }
    label->setWordWrap(false);
    const int room = label->width() - (label->sizeHint().width() - label->fontMetrics().horizontalAdvance(text));
    label->setText(label->fontMetrics().elidedText(text, Qt::ElideRight, room));
}

QLabel *WrappedText(const QString &text, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(true);
    return label;
}

QLineEdit *SecretField(QWidget *parent, const QString &name)
{
    auto *field = new QLineEdit(parent);
    field->setObjectName(name);
    field->setEchoMode(QLineEdit::Password);
    return field;
}

QDialogButtonBox *OkCancelButtons(QDialog *dialog)
{
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, dialog);
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("تأیید"));
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("انصراف"));
    QObject::connect(buttons, &QDialogButtonBox::accepted, dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
    return buttons;
}

} // namespace morva
