#include "scoring/sheet_page.h"

#include "common/files.h"

#include <QBuffer>
#include <QFont>
#include <QFontMetricsF>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <QTextOption>

namespace morva {

QRectF SheetColumns::cell(int column, double top, double height, int span) const
{
    double right = right_;
    for (int c = 0; c < column; ++c)
        right -= widths_[c];
    double width = 0;
    for (int c = column; c < column + span; ++c)
        width += widths_[c];
    return {right - width, top, width, height};
}
namespace {

constexpr double kTwipsPerInch = 1440.0;
constexpr double kMarginInches = 2 / 2.54;
constexpr double kSmallestPrintedPoints = 8;
constexpr double kStep = 0.25;

// One point is 20 twips.
QFont SheetFont(SheetFace face, double points)
{
    QFont font(face == SheetFace::Display ? QStringLiteral("Titr") : QStringLiteral("Nazli"));
    font.setBold(true);
    font.setPixelSize(qMax(1, qRound(points * 20)));
    return font;
}

bool Fits(const SheetText &text, const QString &content, double points, bool wrap)
{
    const QFontMetricsF metrics(SheetFont(text.face, points));
    if (!wrap)
        return metrics.horizontalAdvance(content) <= text.box.width() && metrics.height() <= text.box.height();
    const QRectF needed = metrics.boundingRect(QRectF(0, 0, text.box.width(), 1e6), Qt::TextWordWrap, content);
    return needed.width() <= text.box.width() && needed.height() <= text.box.height();
}

} // namespace

SheetPainter::SheetPainter(QPainter &painter, double printScale)
    : painter_(painter), minimumPoints_(kSmallestPrintedPoints / printScale)
{
}

void SheetPainter::value(const SheetText &text, const QString &content) const
{
    const double smallest = qMin(minimumPoints_, text.points);
    for (const bool wrap : {false, true}) {
        // Two lines only where a line of the box holds them.
        if (wrap && QFontMetricsF(SheetFont(text.face, smallest)).height() * 2 > text.box.height() + 1)
            break;
        for (double points = text.points; points >= smallest; points -= kStep) {
            if (Fits(text, content, points, wrap))
                return draw(text, content, points, wrap);
        }
    }
    double points = smallest;
    while (points > kStep && !Fits(text, content, points, true) && !Fits(text, content, points, false))
        points -= kStep;
    draw(text, content, points, !Fits(text, content, points, false));
}

void SheetPainter::paragraph(const SheetText &text, const QString &content) const
{
    double points = text.points;
    while (points > kStep && !Fits(text, content, points, true))
        points -= kStep;
    draw(text, content, points, true);
}

void SheetPainter::draw(const SheetText &text, const QString &content, double points, bool wrap) const
{
    // Text is black whatever the lines around it are drawn in: grey letters fade on a printer.
    painter_.setPen(Qt::black);
    painter_.setFont(SheetFont(text.face, points));
    QTextOption option;
    option.setTextDirection(text.direction);
    option.setAlignment(text.alignment | (text.alignment & Qt::AlignVertical_Mask ? Qt::Alignment() : Qt::AlignVCenter));
    option.setWrapMode(wrap ? QTextOption::WordWrap : QTextOption::NoWrap);
    painter_.drawText(text.box, content, option);
}

void RenderSheet(QPaintDevice &page, const SheetDocument &document)
{
    QPainter painter(&page);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.setLayoutDirection(Qt::RightToLeft);
    const double dotsPerTwip = page.logicalDpiX() / kTwipsPerInch;
    const double margin = kMarginInches * page.logicalDpiX();
    const QSizeF band = document.bandSize() * dotsPerTwip;
    const double scale = qMin((page.width() - 2 * margin) / band.width(), (page.height() - 2 * margin) / band.height());
    painter.translate((page.width() - band.width() * scale) / 2, (page.height() - band.height() * scale) / 2);
    painter.scale(dotsPerTwip * scale, dotsPerTwip * scale);
    painter.setPen(Qt::black);
    document.paint(SheetPainter(painter, scale));
}

QByteArray SheetPdf(const SheetDocument &document, const QPageSize &size)
{
    QByteArray bytes;
    {
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        QPdfWriter pdf(&buffer);
        pdf.setResolution(static_cast<int>(kTwipsPerInch));
        pdf.setPageLayout(QPageLayout(size, QPageLayout::Portrait, QMarginsF()));
        pdf.setTitle(document.title());
        pdf.setCreator(QStringLiteral("Morva"));
        RenderSheet(pdf, document);
    }
    return bytes;
}

QImage SheetImage(const SheetDocument &document, const QPageSize &size, double dotsPerInch)
{
    const QSizeF inches = size.size(QPageSize::Inch);
    QImage image(qRound(inches.width() * dotsPerInch), qRound(inches.height() * dotsPerInch),
                 QImage::Format_ARGB32_Premultiplied);
    const int dotsPerMeter = qRound(dotsPerInch / 0.0254);
    image.setDotsPerMeterX(dotsPerMeter);
    image.setDotsPerMeterY(dotsPerMeter);
    image.fill(Qt::white);
    RenderSheet(image, document);
    return image;
}

QString SheetFileName(const QStringList &parts)
{
    return FileNameFromParts(parts) + QStringLiteral(".pdf");
}

SheetText SheetBox(double left, double top, double width, double height, double points, Qt::Alignment alignment,
                   SheetFace face)
{
    return {QRectF(left, top, width, height), face, points, alignment};
}

void SheetRule(QPainter &painter, double y, double width)
{
    painter.setPen(QPen(QColor(110, 110, 110), 8));
    painter.drawLine(QPointF(0, y), QPointF(width, y));
}

void SheetCell(QPainter &painter, const QRectF &cell, bool shaded)
{
    painter.setPen(QPen(QColor(120, 120, 120), 6));
    painter.setBrush(shaded ? QBrush(QColor(236, 236, 236)) : QBrush(Qt::NoBrush));
    painter.drawRect(cell);
}

} // namespace morva
