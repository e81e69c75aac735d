#include "backup/ui/passphrase_box.h"

#include "common/persian_digits.h"
#include "ui/controls.h"
#include "ui/modal.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace morva {
namespace {

QString StrengthHint(PassphraseStrength strength)
{
    switch (strength) {
    case PassphraseStrength::TooShort:
        return QStringLiteral("کوتاه: دست‌کم %1 کاراکتر لازم است.")
            .arg(PersianDigits(QString::number(kShortestPassphrase)));
    case PassphraseStrength::Weak:
        return QStringLiteral("ضعیف: حدس زدنش آسان است؛ آن را بلندتر کنید و حرف، عدد و نشانه را با هم به کار ببرید.");
    case PassphraseStrength::Fair:
        return QStringLiteral("متوسط: هرچه بلندتر باشد، امن‌تر است.");
    case PassphraseStrength::Strong:
        break;
    }
    return QStringLiteral("قوی");
}

} // namespace

PassphraseBox::PassphraseBox(QWidget *owner, Purpose purpose) : QDialog(owner), purpose_(purpose)
{
    setObjectName(QStringLiteral("PassphraseBox"));
    setLayoutDirection(Qt::RightToLeft);
    const bool making = purpose == Purpose::Make;
    setWindowTitle(making ? QStringLiteral("رمزگذاری نسخه‌ی پشتیبان")
                          : QStringLiteral("باز کردن نسخه‌ی پشتیبان رمزگذاری‌شده"));
    auto *prompt = WrappedText(
        making ? QStringLiteral("نسخه‌ی پشتیبان با این گذرواژه رمزگذاری می‌شود. گذرواژه را جدا از نسخه‌ی پشتیبان "
                                "در جای امنی نگه دارید؛ چون بدون آن هیچ‌کس، حتی خود شما، نمی‌تواند این نسخه را باز کند.")
               : QStringLiteral("این نسخه‌ی پشتیبان رمزگذاری‌شده است. گذرواژه‌ی آن را وارد کنید."),
        this);
    prompt->setObjectName(QStringLiteral("LabelPrompt"));

    auto *fields = new QFormLayout;
    passphrase_ = SecretField(this, QStringLiteral("TextPassphrase"));
    fields->addRow(WrappedText(QStringLiteral("گذرواژه:"), this), passphrase_);
    if (making) {
        again_ = SecretField(this, QStringLiteral("TextPassphraseAgain"));
        fields->addRow(WrappedText(QStringLiteral("تکرار گذرواژه:"), this), again_);
        hint_ = WrappedText({}, this);
        hint_->setObjectName(QStringLiteral("LabelHint"));
        fields->addRow(hint_);
        connect(again_, &QLineEdit::textChanged, this, &PassphraseBox::onTextChanged);
    }
    connect(passphrase_, &QLineEdit::textChanged, this, &PassphraseBox::onTextChanged);

    QDialogButtonBox *buttons = OkCancelButtons(this);
    ok_ = buttons->button(QDialogButtonBox::Ok);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(prompt);
    layout->addLayout(fields);
    layout->addWidget(buttons);
    setMinimumWidth(460);
    onTextChanged();
}

void PassphraseBox::onTextChanged()
{
    const QString typed = passphrase_->text();
    if (purpose_ == Purpose::Open) {
        ok_->setEnabled(!typed.isEmpty());
        return;
    }
    const PassphraseStrength strength = StrengthOf(typed);
    const bool same = typed == again_->text();
    hint_->setText(strength != PassphraseStrength::TooShort && !again_->text().isEmpty() && !same
                       ? QStringLiteral("گذرواژه و تکرار آن یکسان نیستند.")
                       : StrengthHint(strength));
    ok_->setEnabled(strength != PassphraseStrength::TooShort && same);
}

std::unique_ptr<Passphrase> PassphraseBox::Ask(QWidget *owner, Purpose purpose)
{
    PassphraseBox box(owner, purpose);
    const bool accepted = ExecModal(box) == QDialog::Accepted && box.ok_->isEnabled();
    std::unique_ptr<Passphrase> passphrase = accepted ? std::make_unique<Passphrase>(box.passphrase_->text()) : nullptr;
    box.passphrase_->clear();
    if (box.again_)
        box.again_->clear();
    return passphrase;
}

} // namespace morva
