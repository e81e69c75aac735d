#pragma once

#include <QByteArray>
#include <QImage>
#include <QList>
#include <QPageSize>
#include <QRectF>
#include <QSizeF>
#include <QString>
#include <QStringList>

class QPaintDevice;
class QPainter;

namespace morva {

enum class SheetFace { Display, Text }; // a bold display face for headings, a bold text face

// A box of text on a sheet, in twips of the sheet's design, with its face and designed size
// in points.
struct SheetText {
    QRectF box;
    SheetFace face;
    double points;
    Qt::Alignment alignment = Qt::AlignHCenter;
    Qt::LayoutDirection direction = Qt::RightToLeft;
};

// The band of a sheet that fills an A4 page inside margins of 2 cm, in twips.
inline constexpr double kA4BandWidth = 9640;
inline constexpr double kA4BandHeight = 14570;

// A table's columns laid from the right edge of a band of that width, as a Persian table reads.
class SheetColumns {
public:
    SheetColumns(double bandWidth, QList<double> widths) : right_(bandWidth), widths_(std::move(widths)) {}
    // The cell of a column (0: the rightmost), spanning that many columns leftwards.
    QRectF cell(int column, double top, double height, int span = 1) const;
    int count() const { return static_cast<int>(widths_.size()); }

private:
    double right_;
    QList<double> widths_;
};

// A box of text on a sheet at left, top, width and height in twips.
SheetText SheetBox(double left, double top, double width, double height, double points,
                   Qt::Alignment alignment = Qt::AlignHCenter, SheetFace face = SheetFace::Text);
// A grey rule across a sheet of that width, at y.
void SheetRule(QPainter &painter, double y, double width);
// The frame of a table's cell, shaded for a heading or a row that stands out.
void SheetCell(QPainter &painter, const QRectF &cell, bool shaded = false);

// Paints a sheet in twips of its design, knowing how large the design will print.
class SheetPainter {
public:
    // printScale: how many times larger than designed the sheet prints.
    SheetPainter(QPainter &painter, double printScale);

    QPainter &painter() const { return painter_; }

    // A value in its box: on one line at its designed size if it fits, else smaller down to
    // about 8 printed points, else on two lines, and smaller still only if two lines do not fit.
    void value(const SheetText &text, const QString &content) const;
    // A paragraph wrapped inside its box, smaller only where it would overflow the box.
    void paragraph(const SheetText &text, const QString &content) const;

private:
    void draw(const SheetText &text, const QString &content, double points, bool wrap) const;

    QPainter &painter_;
    double minimumPoints_; // in designed points
};

// A document of one page, designed in twips on a band that is scaled as a whole onto the paper.
class SheetDocument {
public:
    virtual ~SheetDocument() = default;
    virtual QSizeF bandSize() const = 0; // twips
    virtual QString title() const = 0; // of the PDF: the clinic's name
    virtual QString name() const = 0;  // what the sheet is called, for its window and its file
    virtual void paint(const SheetPainter &painter) const = 0;
};

// Paints the document on a page (a printer's, a PDF's or an image's): scaled as a whole to fill
// the page inside margins of 2 cm, centred.
void RenderSheet(QPaintDevice &page, const SheetDocument &document);
// The document as a one-page PDF of that paper size.
QByteArray SheetPdf(const SheetDocument &document, const QPageSize &size = QPageSize(QPageSize::A4));
// The document on white paper of that size, as it prints, at that resolution.
QImage SheetImage(const SheetDocument &document, const QPageSize &size, double dotsPerInch);

// A file name for a sheet from its parts (code, name, date...), as FileNameFromParts makes it,
// with ".pdf".
QString SheetFileName(const QStringList &parts);

} // namespace morva
