#include "ui/message_box.h"

#include "ui/modal.h"

#include <QAbstractButton>
#include <QInputDialog>

namespace morva {
namespace {

QMessageBox::Icon IconOf(BoxStyle style)
{
    switch (style) {
    case BoxStyle::OkExclamation:
    case BoxStyle::OkExclamationRtl:
        return QMessageBox::Warning;
    case BoxStyle::OkInformation:
    case BoxStyle::OkInformationRtl:
        return QMessageBox::Information;
    case BoxStyle::OkStopRtl:
        return QMessageBox::Critical;
    default:
        return QMessageBox::NoIcon;
    }
}

} // namespace

QString ProgramTitle()
{
    return QStringLiteral("Morva");
}

QMessageBox::StandardButton ShowMessageBox(QWidget *owner, const QString &text, const QString &title, BoxStyle style,
                                           const QMap<QMessageBox::StandardButton, QString> &captions)
{
    QMessageBox::StandardButtons buttons = QMessageBox::Ok;
    if (style == BoxStyle::YesNo)
        buttons = QMessageBox::Yes | QMessageBox::No;
    else if (style == BoxStyle::YesNoCancel)
        buttons = QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    QMessageBox box(IconOf(style), title.isEmpty() ? ProgramTitle() : title, text, buttons, owner);
    // Messages carry names and paths as typed: never read as rich text.
    box.setTextFormat(Qt::PlainText);
    box.setDefaultButton(buttons.testFlag(QMessageBox::Yes) ? QMessageBox::Yes : QMessageBox::Ok);
    for (auto caption = captions.cbegin(); caption != captions.cend(); ++caption) {
        if (QAbstractButton *button = box.button(caption.key()))
            button->setText(caption.value());
    }
    // Every text of the program is Persian: all boxes read right to left, whatever the style.
    box.setLayoutDirection(Qt::RightToLeft);
    return static_cast<QMessageBox::StandardButton>(ExecModal(box));
}

QString InputBox(QWidget *owner, const QString &prompt, const QString &title, const QString &defaultText)
{
    QInputDialog dialog(owner);
    dialog.setLayoutDirection(Qt::RightToLeft);
    dialog.setWindowTitle(title);
    dialog.setLabelText(prompt);
    dialog.setTextValue(defaultText);
    return ExecModal(dialog) == QDialog::Accepted ? dialog.textValue() : QString();
}

} // namespace morva
