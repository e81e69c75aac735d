#pragma once

#include <QGroupBox>

class QLineEdit;

namespace morva {

// The clinic's name and address, edited in the main window.
class ClinicPanel : public QGroupBox {
    Q_OBJECT

public:
    explicit ClinicPanel(QWidget *parent);

    QLineEdit *nameField() const { return text2_; }
    QLineEdit *addressField() const { return text14_; }

Q_SIGNALS:
    void saveRequested();   // "ذخيره "
    void cancelRequested(); // "انصراف"

private:
    QLineEdit *text2_;
    QLineEdit *text14_;
};

} // namespace morva
