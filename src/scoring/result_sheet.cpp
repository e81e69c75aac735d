#include "scoring/result_sheet.h"

#include <QBuffer>
#include <QFont>
#include <QFontMetricsF>
#include <QImage>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QTextOption>

namespace morva {
namespace {

constexpr double kTwipsPerInch = 1440.0;
constexpr double kInset = 120;

enum class Face { Display, Text };

// Sizes in points, as the sheet was designed; one point is 20 twips.
QFont SheetFont(Face face, double points)
{
    QFont font(face == Face::Display ? QStringLiteral("Titr") : QStringLiteral("Nazli"));
    font.setBold(true);
    font.setPixelSize(qRound(points * 20));
    return font;
}

enum class Align { Centre, Right };

struct Element {
    double left, top, width, height;
    Face face;
    double points;
    Align align;
};

// A single line too long for its box is set smaller until it fits.
QFont FittingFont(const Element &e, const QString &text, bool wrap)
{
    QFont font = SheetFont(e.face, e.points);
    if (wrap)
        return font;
    const double width = QFontMetricsF(font).horizontalAdvance(text);
    if (width > e.width)
        font.setPixelSize(qMax(1, static_cast<int>(font.pixelSize() * e.width / width)));
    return font;
}

void DrawText(QPainter &painter, const Element &e, const QString &text, bool wrap = false)
{
    painter.setFont(FittingFont(e, text, wrap));
    QTextOption option;
    option.setTextDirection(Qt::RightToLeft);
    option.setAlignment((e.align == Align::Centre ? Qt::AlignHCenter : Qt::AlignRight | Qt::AlignAbsolute)
                        | (wrap ? Qt::AlignTop : Qt::AlignVCenter));
    option.setWrapMode(wrap ? QTextOption::WordWrap : QTextOption::NoWrap);
    painter.drawText(QRectF(e.left, e.top, e.width, e.height), text, option);
}

QString TitleLine()
{
    return QStringLiteral("گزارش نتیجه آزمون عشق");
}

} // namespace

QSizeF ResultSheetSize()
{
    return {7252, 8775};
}

void PaintResultSheet(QPainter &painter, const ResultSheet &sheet)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.setLayoutDirection(Qt::RightToLeft);
    painter.setPen(Qt::black);

    painter.drawImage(QRectF(0, 0, 7065, 8775), QImage(QStringLiteral(":/pictures/report_background.png")));

    DrawText(painter, {655, 63, 6335, 510, Face::Display, 14.25, Align::Centre}, sheet.clinicName);            // Label9
    DrawText(painter, {655, 567, 6335, 510, Face::Text, 12, Align::Centre}, TitleLine());                     // Label3
    DrawText(painter, {6062, 1242, 1017, 465, Face::Text, 12, Align::Centre}, QStringLiteral("نام "));         // Label4
    DrawText(painter, {4807, 1242, 1148, 465, Face::Text, 12, Align::Centre}, QStringLiteral("نام خانوادگي")); // Label1
    DrawText(painter, {3805, 1179, 833, 465, Face::Text, 12, Align::Centre}, QStringLiteral("سن"));            // Label7
    DrawText(painter, {2172, 1179, 1466, 465, Face::Text, 12, Align::Centre}, QStringLiteral("ميزان تحصيلات")); // Label6
    DrawText(painter, {917, 1179, 1061, 465, Face::Text, 12, Align::Centre}, QStringLiteral("تاريخ"));         // Label8
    DrawText(painter, {6062, 1746, 1014, 465, Face::Text, 9.75, Align::Centre}, sheet.firstName);              // Label5
    DrawText(painter, {4807, 1746, 1124, 465, Face::Text, 9.75, Align::Centre}, sheet.lastName);               // Label10
    DrawText(painter, {3796, 1746, 905, 465, Face::Text, 9.75, Align::Centre}, sheet.age);                     // Label11
    DrawText(painter, {2172, 1746, 1494, 465, Face::Text, 9.75, Align::Centre}, sheet.education);              // Label12
    DrawText(painter, {917, 1746, 1082, 465, Face::Text, 9.75, Align::Centre}, sheet.date);                    // Label13
    // Label2, kept clear of the frame that the background draws around it.
    DrawText(painter, {1047 + kInset, 2357 + kInset, 5895 - 2 * kInset, 4843 - 2 * kInset, Face::Text, 12, Align::Right},
             sheet.explanation, true);
    DrawText(painter, {6367, 7598, 555, 375, Face::Text, 9.75, Align::Right}, QStringLiteral(":آدرس"));        // Label15
    DrawText(painter, {1047, 7593, 5325, 375, Face::Text, 9.75, Align::Right}, sheet.address);                 // Label14
    painter.restore();
}

void RenderResultSheet(QPaintDevice &device, const ResultSheet &sheet)
{
    QPainter painter(&device);
    const double scale = device.logicalDpiX() / kTwipsPerInch;
    const QSizeF band = ResultSheetSize() * scale;
    const double left = qMax(0.0, (device.width() - band.width()) / 2);
    const double top = device.height() > band.height() + device.logicalDpiY() ? device.logicalDpiY() : 0.0;
    painter.translate(left, top);
    painter.scale(scale, scale);
    PaintResultSheet(painter, sheet);
}

QByteArray ResultSheetPdf(const ResultSheet &sheet)
{
    QByteArray bytes;
    {
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        QPdfWriter pdf(&buffer);
        pdf.setResolution(static_cast<int>(kTwipsPerInch));
        pdf.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF()));
        pdf.setTitle(sheet.clinicName);
        pdf.setCreator(QStringLiteral("Morva"));
        RenderResultSheet(pdf, sheet);
    }
    return bytes;
}

} // namespace morva
