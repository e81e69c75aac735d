#include "ui/password_box.h"

#include "ui/modal.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace morva {

PasswordBox::PasswordBox(QWidget *owner, const QString &prompt, const QString &title) : QDialog(owner)
{
    setWindowTitle(title);
    setLayoutDirection(Qt::RightToLeft);
    auto *text = new QLabel(prompt, this);
    text->setTextFormat(Qt::PlainText); // the prompt names a server as the user typed it
    text->setWordWrap(true);
    field_ = new QLineEdit(this);
    field_->setObjectName(QStringLiteral("TextPassword"));
    field_->setEchoMode(QLineEdit::Password);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("تأیید"));
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("انصراف"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(text);
    layout->addWidget(field_);
    layout->addWidget(buttons);
    setMinimumWidth(420);
}

std::optional<QString> PasswordBox::Ask(QWidget *owner, const QString &prompt, const QString &title)
{
    PasswordBox box(owner, prompt, title);
    if (ExecModal(box) != QDialog::Accepted)
        return std::nullopt;
    return box.passwordField()->text();
}

} // namespace morva
