#include "scoring/ui/data_r_print.h"

#include "backup/safe_file.h"
#include "records/data_files.h"
#include "ui/file_dialog.h"
#include "ui/message_box.h"
#include "ui/modal.h"

#include <QDir>
#include <QHBoxLayout>
#include <QImage>
#include <QLabel>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QScrollArea>
#include <QVBoxLayout>

namespace morva {
namespace {

// The sheet drawn on white paper, as it prints, at the screen's resolution.
QImage SheetImage(const ResultSheet &sheet, double dotsPerInch)
{
    const QSizeF band = ResultSheetSize() * (dotsPerInch / 1440.0);
    QImage image(qCeil(band.width()) + 2, qCeil(band.height()) + 2, QImage::Format_ARGB32_Premultiplied);
    const int dotsPerMeter = qRound(dotsPerInch / 0.0254);
    image.setDotsPerMeterX(dotsPerMeter);
    image.setDotsPerMeterY(dotsPerMeter);
    image.fill(Qt::white);
    RenderResultSheet(image, sheet);
    return image;
}

} // namespace

DataRPrint::DataRPrint(const ResultSheet &sheet, QWidget *parent) : QDialog(parent), sheet_(sheet)
{
    setObjectName(QStringLiteral("DataRPrint"));
    setWindowTitle(QStringLiteral("برگه نتیجه آزمون"));
    setAttribute(Qt::WA_DeleteOnClose);
    setModal(false);

    page_ = new QLabel(this);
    page_->setObjectName(QStringLiteral("Page"));
    page_->setAlignment(Qt::AlignCenter);
    const qreal ratio = devicePixelRatioF();
    QImage image = SheetImage(sheet_, logicalDpiX() * ratio);
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
    printer.setDocName(windowTitle());
    QPrintDialog dialog(&printer, this);
    if (ExecModal(dialog) != QDialog::Accepted)
        return;
    RenderResultSheet(printer, sheet_);
}

void DataRPrint::onSavePdfClicked()
{
    QString path = AskSavePath(this, windowTitle(), QDir::homePath(),
                               sheet_.firstName + u' ' + sheet_.lastName + QStringLiteral(".pdf"),
                               {QStringLiteral("PDF (*.pdf)")});
    if (path.isEmpty())
        return;
    if (!path.endsWith(QStringLiteral(".pdf"), Qt::CaseInsensitive))
        path += QStringLiteral(".pdf");
    if (const auto error = WriteFileSafely(path, ResultSheetPdf(sheet_)))
        ShowMessageBox(this,
                       QStringLiteral("فایل «%1» نوشته نشد؛ پوشه‌ی دیگری را انتخاب کنید.").arg(ShownPath(path))
                           + QStringLiteral("\n\n") + *error,
                       QStringLiteral("خطا"), BoxStyle::OkStopRtl);
}

} // namespace morva
