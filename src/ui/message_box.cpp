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
                                           const QMap<QMessageBox::StandardButton, QString> &captions,
                                           QMessageBox::StandardButton defaultButton)
{
    QMessageBox::StandardButtons buttons = QMessageBox::Ok;
    if (style == BoxStyle::YesNo)
        buttons = QMessageBox::Yes | QMessageBox::No;
    else if (style == BoxStyle::YesNoCancel)
        buttons = QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    QMessageBox box(IconOf(style), title.isEmpty() ? ProgramTitle() : title, text, buttons, owner);
    box.setTextFormat(Qt::PlainText); // a path or a name in the text is shown as it is
    if (defaultButton == QMessageBox::NoButton)
        defaultButton = buttons.testFlag(QMessageBox::Yes) ? QMessageBox::Yes : QMessageBox::Ok;
    box.setDefaultButton(defaultButton);
    // Qt's Persian answers to a question are «بله» and «نه»; the program answers «بله» and «خیر».
    QMap<QMessageBox::StandardButton, QString> named{{QMessageBox::Yes, QStringLiteral("بله")},
                                                     {QMessageBox::No, QStringLiteral("خیر")}};
    named.insert(captions);
    for (auto caption = named.cbegin(); caption != named.cend(); ++caption) {
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
