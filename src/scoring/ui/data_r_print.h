#pragma once

#include "scoring/sheet_page.h"

#include <QDialog>

#include <memory>

class QLabel;

namespace morva {

// The viewing window of a sheet: shows it on its page as it prints, and prints it or saves it
// as a PDF. It does not block the window that opened it.
class DataRPrint : public QDialog {
    Q_OBJECT

public:
    // fileName: the name proposed for the PDF, without folder.
    DataRPrint(std::unique_ptr<SheetDocument> document, const QString &fileName, QWidget *parent);

    const SheetDocument &document() const { return *document_; }

private:
    void onPrintClicked();
    void onSavePdfClicked();

    std::unique_ptr<SheetDocument> document_;
    QString fileName_;
    QLabel *page_ = nullptr;
};

} // namespace morva
