#include "scoring/result_sheet.h"

#include "common/persian_digits.h"

#include <QPainter>
#include <QPainterPath>

namespace morva {
namespace {

// The elements stand where the sheet was designed, moved left as a whole so that the frame
// leaves the same margin on both sides of them (from 655 to 7079 twips across).
constexpr double kShift = -335;

constexpr Qt::Alignment kRight = Qt::AlignRight | Qt::AlignAbsolute;

// The explanation's box stands lower than designed, leaving a line for the date of the
// administration above it; the longest explanation still fills less than half of it.
constexpr double kExplanationTop = 2357 + 420;
constexpr double kExplanationHeight = 4843 - 420;

SheetText At(double left, double top, double width, double height, SheetFace face, double points,
             Qt::Alignment alignment = Qt::AlignHCenter)
{
    return {QRectF(left + kShift, top, width, height), face, points, alignment};
}

QString TitleLine()
{
    return QStringLiteral("نتیجه‌ی ارزیابی با مقیاس مثلثی عشق");
}

// At the foot, so that the subject reads the sheet for what it is.
QString FootNote()
{
    return QStringLiteral("این برگه خلاصه‌ای از پاسخ‌های شماست، نه تشخیص یا داوری؛ آن را با مشاور خود مرور کنید.");
}

QPen Line(double width, int grey)
{
    QPen pen(QColor(grey, grey, grey), width);
    pen.setCosmetic(false);
    return pen;
}

// A small diamond on a rule, the sheet's only ornament.
void Diamond(QPainter &painter, QPointF centre, double size)
{
    QPainterPath path;
    path.moveTo(centre.x(), centre.y() - size);
    path.lineTo(centre.x() + size, centre.y());
    path.lineTo(centre.x(), centre.y() + size);
    path.lineTo(centre.x() - size, centre.y());
    path.closeSubpath();
    painter.drawPath(path);
}

// The picture behind the text: lines only, no tinted fill, dark enough to stay visible in grey.
void PaintFrame(QPainter &painter)
{
    painter.save();
    painter.setBrush(Qt::NoBrush);
    painter.setPen(Line(14, 70));
    painter.drawRoundedRect(QRectF(40, 40, 6985, 8695), 90, 90);
    painter.setPen(Line(6, 140));
    painter.drawRoundedRect(QRectF(110, 110, 6845, 8555), 60, 60);

    // Under the title line.
    painter.setPen(Line(8, 110));
    painter.drawLine(QPointF(900, 1120), QPointF(3420, 1120));
    painter.drawLine(QPointF(3644, 1120), QPointF(6164, 1120));
    Diamond(painter, {3532, 1120}, 60);

    // The table of headings and values.
    const QRectF table(917 + kShift - 60, 1160, 7079 - 917 + 120, 1090);
    painter.setPen(Line(10, 80));
    painter.drawRoundedRect(table, 40, 40);
    painter.setPen(Line(6, 120));
    painter.drawLine(QPointF(table.left(), 1722), QPointF(table.right(), 1722));
    for (const double x : {2075.0, 3721.0, 4722.0, 6008.0})
        painter.drawLine(QPointF(x + kShift, table.top() + 60), QPointF(x + kShift, table.bottom() - 60));

    // The explanation's box, under the line of the administration's date.
    painter.setPen(Line(10, 80));
    painter.drawRoundedRect(QRectF(1047 + kShift - 60, kExplanationTop - 60, 5895 + 120, kExplanationHeight + 120), 70, 70);
    Diamond(painter, {3532, kExplanationTop - 60}, 55);

    // Above the address.
    painter.setPen(Line(6, 130));
    painter.drawLine(QPointF(1047 + kShift, 7480), QPointF(6942 + kShift, 7480));

    // A small triangle at the foot, under the note: intimacy, passion and commitment.
    painter.setPen(Line(8, 110));
    const QPointF top(3532, 8370), left(3437, 8535), right(3627, 8535);
    painter.drawPolygon(QPolygonF({top, left, right}));
    painter.restore();
}

} // namespace

QSizeF ResultSheetDocument::bandSize() const
{
    return {7065, 8775};
}

QString ResultSheetDocument::name() const
{
    return QStringLiteral("برگه‌ی نتیجه‌ی آزمون");
}

QString ResultSheetDocument::title() const
{
    return sheet_.clinicName;
}

void ResultSheetDocument::paint(const SheetPainter &painter) const
{
    PaintFrame(painter.painter());
    const ResultSheet &s = sheet_;
    using F = SheetFace;
    painter.value(At(655, 63, 6335, 510, F::Display, 14.25), s.clinicName);                       // Label9
    painter.value(At(655, 567, 6335, 510, F::Text, 12), TitleLine());                              // Label3
    painter.value(At(6062, 1242, 1017, 465, F::Text, 12), QStringLiteral("نام "));                 // Label4
    painter.value(At(4807, 1242, 1148, 465, F::Text, 12), QStringLiteral("نام خانوادگي"));         // Label1
    painter.value(At(3805, 1179, 833, 465, F::Text, 12), QStringLiteral("سن"));                    // Label7
    painter.value(At(2172, 1179, 1466, 465, F::Text, 12), QStringLiteral("ميزان تحصيلات"));        // Label6
    painter.value(At(917, 1179, 1061, 465, F::Text, 12), QStringLiteral("تاريخ"));                 // Label8
    painter.value(At(6062, 1746, 1014, 465, F::Text, 9.75), s.firstName);                          // Label5
    painter.value(At(4807, 1746, 1124, 465, F::Text, 9.75), s.lastName);                           // Label10
    painter.value(At(3796, 1746, 905, 465, F::Text, 9.75), PersianDigits(s.age));                  // Label11
    painter.value(At(2172, 1746, 1494, 465, F::Text, 9.75), s.education);                          // Label12
    painter.value(At(917, 1746, 1082, 465, F::Text, 9.75), PersianDigits(s.date));                 // Label13
    painter.value(At(917, 2300, 6162, 400, F::Text, 11), QStringLiteral("تاریخ اجرای آزمون: ") + s.testDate);
    // Label2, clear of the line of its box.
    painter.paragraph(At(1047 + 100, kExplanationTop + 80, 5895 - 200, kExplanationHeight - 160, F::Text, 12,
                         kRight | Qt::AlignTop),
                      s.explanation);
    // Label15 is written with its colon first: left to right, the colon stands by the address.
    SheetText addressCaption = At(6367, 7598, 555, 375, F::Text, 9.75, kRight);
    addressCaption.direction = Qt::LeftToRight;
    painter.value(addressCaption, QStringLiteral(":آدرس"));
    painter.value(At(1047, 7593, 5325, 375, F::Text, 9.75, kRight), s.address);                    // Label14
    painter.value(At(700, 8000, 6335, 330, F::Text, 9), FootNote()); // centred under the frame's middle
}

} // namespace morva
