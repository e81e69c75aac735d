#pragma once

#include "ui/window_frame.h"

#include <QDialog>

namespace morva {

// The picture of the triangle of love on which the questionnaire rests, in the stored theme.
class Frm2 : public QDialog {
    Q_OBJECT

public:
    // Throws DataError when the settings cannot be read.
    explicit Frm2(Stores &stores, QWidget *parent = nullptr);
    ~Frm2() override;

private:
    WindowFrame frame_;
};

} // namespace morva
