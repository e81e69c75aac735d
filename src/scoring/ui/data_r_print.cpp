#include "scoring/ui/data_r_print.h"

#include "common/files.h"
#include "common/safe_file.h"
#include "common/files.h"
#include "ui/file_dialog.h"
#include "ui/message_box.h"
#include "ui/modal.h"

#include <QDir>
#include <QHBoxLayout>
#include <QImage>
#include <QLabel>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QScrollArea>
#include <QVBoxLayout>

namespace morva {

DataRPrint::DataRPrint(std::unique_ptr<SheetDocument> document, const QString &fileName, QWidget *parent)
    : QDialog(parent), document_(std::move(document)), fileName_(fileName)
{
    setObjectName(QStringLiteral("DataRPrint"));
    setWindowTitle(document_->name());
    setAttribute(Qt::WA_DeleteOnClose);
    setModal(false);

    page_ = new QLabel(this);
    page_->setObjectName(QStringLiteral("Page"));
    page_->setAlignment(Qt::AlignCenter);
    const qreal ratio = devicePixelRatioF();
    QImage image = SheetImage(*document_, QPageSize(QPageSize::A4), logicalDpiX() * ratio);
    image.setDevicePixelRatio(ratio);
    page_->setPixmap(QPixmap::fromImage(image));
    auto *scroll = new QScrollArea(this);
    scroll->setWidget(page_);
    scroll->setWidgetResizable(true);
    scroll->setAlignment(Qt::AlignCenter);

    auto *print = new QPushButton(QStringLiteral("چاپ"), this);
    print->setObjectName(QStringLiteral("Print"));
    connect(print, &QPushButton::clicked, this, &DataRPrint::onPrintClicked);
    auto *pdf = new QPushButton(QStringLiteral("ذخیره به صورت PDF"), this);
    pdf->setObjectName(QStringLiteral("SavePdf"));
    connect(pdf, &QPushButton::clicked, this, &DataRPrint::onSavePdfClicked);
    auto *close = new QPushButton(QStringLiteral("بستن"), this);
    close->setObjectName(QStringLiteral("Close"));
    connect(close, &QPushButton::clicked, this, &QDialog::close);

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(print);
    buttons->addWidget(pdf);
    buttons->addStretch();
    buttons->addWidget(close);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(scroll);
    layout->addLayout(buttons);
    resize(image.width() / ratio + 60, qMin(image.height() / ratio + 110, 760.0));
}

void DataRPrint::onPrintClicked()
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setFullPage(true);
    printer.setDocName(document_->title());
    QPrintDialog dialog(&printer, this);
    if (ExecModal(dialog) != QDialog::Accepted)
        return;
    RenderSheet(printer, *document_);
}

void DataRPrint::onSavePdfClicked()
{
    QString path = AskSavePath(this, windowTitle(), QDir::homePath(), fileName_, {QStringLiteral("PDF (*.pdf)")});
    if (path.isEmpty())
        return;
    if (!path.endsWith(QStringLiteral(".pdf"), Qt::CaseInsensitive))
        path += QStringLiteral(".pdf");
    if (!MayReplace(this, path))
        return;
    if (const auto error = WriteFileSafely(path, SheetPdf(*document_)))
        ShowMessageBox(this,
                       QStringLiteral("برگه در فایل «%1» ذخیره نشد. لطفاً دوباره تلاش کنید یا پوشه‌ی دیگری انتخاب کنید.")
                               .arg(ShownPath(path))
                           + QStringLiteral("\n\n") + *error,
                       QStringLiteral("خطا"), BoxStyle::OkStopRtl);
}

} // namespace morva
