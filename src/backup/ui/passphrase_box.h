#pragma once

#include "backup/encrypted_backup.h"

#include <QDialog>

#include <memory>

class QLabel;
class QLineEdit;
class QPushButton;

namespace morva {

// The modal box that asks for the passphrase of an encrypted backup: to make one, twice, with a
// hint of how hard it is to guess, and only once it is long enough and typed the same both times;
// to open one, once. What is typed shows as dots, and the fields are emptied once it is read.
class PassphraseBox : public QDialog {
    Q_OBJECT

public:
    enum class Purpose { Make, Open };

    PassphraseBox(QWidget *owner, Purpose purpose);

    // The passphrase typed, or nothing when the box was cancelled.
    static std::unique_ptr<Passphrase> Ask(QWidget *owner, Purpose purpose);

private:
    void onTextChanged();

    Purpose purpose_;
    QLineEdit *passphrase_ = nullptr;
    QLineEdit *again_ = nullptr;
    QLabel *hint_ = nullptr;
    QPushButton *ok_ = nullptr;
};

} // namespace morva
