#include "ui/password_box.h"

#include "ui/controls.h"
#include "ui/modal.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace morva {

PasswordBox::PasswordBox(QWidget *owner, const QString &prompt, const QString &title) : QDialog(owner)
{
    setWindowTitle(title);
    setLayoutDirection(Qt::RightToLeft);
    field_ = SecretField(this, QStringLiteral("TextPassword"));
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(WrappedText(prompt, this)); // the prompt names a server as the user typed it
    layout->addWidget(field_);
    layout->addWidget(OkCancelButtons(this));
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
