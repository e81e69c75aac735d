#pragma once

#include "scoring/result_sheet.h"

#include <QDialog>

class QLabel;

namespace morva {

// The result sheet's viewing window: shows the sheet as it prints, and prints it or saves it
// as a PDF. It does not block the window that opened it.
class DataRPrint : public QDialog {
    Q_OBJECT

public:
    DataRPrint(const ResultSheet &sheet, QWidget *parent);

    const ResultSheet &sheet() const { return sheet_; }

private:
    void onPrintClicked();
    void onSavePdfClicked();

    ResultSheet sheet_;
    QLabel *page_ = nullptr;
};

} // namespace morva
