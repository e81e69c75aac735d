#pragma once

#include "appearance/credits.h"

#include <QDialog>

class QLabel;
class QLineEdit;
class QTimer;

namespace morva {

// The about window: the credit sentence closing up, the maker's details scrolling upwards in a
// loop, and two of the scrolling labels changing colour. It carries no skin.
class About : public QDialog {
    Q_OBJECT

public:
    explicit About(QWidget *parent = nullptr);
    ~About() override;

private:
    void onTimer1Timeout();  // colours
    void onTimer10Timeout(); // scrolling
    void onTimer3Timeout();  // closing up the credit sentence

    QLineEdit *text1_ = nullptr;
    QTimer *timer3_ = nullptr;
    QLabel *labels_[CreditScroll::kLabels] = {};
    CreditCollapse collapse_;
    CreditScroll scroll_;
};

} // namespace morva
