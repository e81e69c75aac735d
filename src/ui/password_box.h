#pragma once

#include <QDialog>

#include <optional>

class QLineEdit;

namespace morva {

// A modal box that asks for a password: the prompt as plain text, a line that shows dots for what
// is typed, «تأیید» and «انصراف».
class PasswordBox : public QDialog {
    Q_OBJECT

public:
    PasswordBox(QWidget *owner, const QString &prompt, const QString &title);

    QLineEdit *passwordField() const { return field_; }

    // The password typed, or nothing when the box was cancelled.
    static std::optional<QString> Ask(QWidget *owner, const QString &prompt, const QString &title);

private:
    QLineEdit *field_;
};

} // namespace morva
