#include "ui/controls.h"

#include "common/display_text.h"
#include "ui/twips.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QFontMetricsF>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <algorithm>
#include <cmath>

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
    const int smallest = static_cast<int>((designed - minPoints) / 0.5); // in half points below designed
    const auto sizeTo = [&](int step) {
        label->setStyleSheet(step > 0 ? QStringLiteral("font-size: %1pt;").arg(designed - 0.5 * step) : QString());
    };
    const auto fits = [label] {
        if (label->wordWrap())
            return label->heightForWidth(label->width()) <= label->height();
        const QSize needed = label->sizeHint();
        return needed.width() <= label->width() && needed.height() <= label->height();
    };

    // One line if it can be: the largest size, in half points down from the designed one, that
    // fits. A line grows with its size, so the size that the designed one's measure suggests is
    // tried first and then its neighbours, not every size from the top: each costs a restyle and
    // a font.
    label->setWordWrap(false);
    if (fits())
        return;
    if (smallest > 0) {
        const QSize needed = label->sizeHint();
        const QSizeF line = QFontMetricsF(label->font()).size(Qt::TextSingleLine, text);
        const double scale = line.width() > 0 && line.height() > 0
                                 ? std::min((label->width() - (needed.width() - line.width())) / line.width(),
                                            (label->height() - (needed.height() - line.height())) / line.height())
                                 : 1.0;
        int step = std::clamp(static_cast<int>(std::ceil(designed * (1 - scale) / 0.5)), 1, smallest);
        sizeTo(step);
        if (fits()) {
            for (; step > 1; --step) {
                sizeTo(step - 1);
                if (!fits()) {
                    sizeTo(step);
                    break;
                }
            }
            return;
        }
        for (++step; step <= smallest; ++step) {
            sizeTo(step);
            if (fits())
                return;
        }
    }
    // Else two lines, from the designed size down to the smallest.
    label->setWordWrap(true);
    for (int step = 0; step <= smallest; ++step) {
        sizeTo(step);
        if (fits())
            return;
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
