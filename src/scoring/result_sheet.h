#pragma once

#include <QByteArray>
#include <QSizeF>
#include <QString>

class QPaintDevice;
class QPainter;

namespace morva {

// What the one-page result sheet prints: the clinic, the subject's particulars and the
// explanation of the love type. No code, score or beloved's name is on it.
struct ResultSheet {
    QString clinicName;
    QString firstName;
    QString lastName;
    QString age;
    QString education;
    QString date;
    QString explanation;
    QString address;
};

// The sheet's band, in twips: 7252 wide, 8775 high.
QSizeF ResultSheetSize();

// Paints the sheet with its top left corner at the painter's origin, one painter unit being one
// twip.
void PaintResultSheet(QPainter &painter, const ResultSheet &sheet);

// Paints the sheet on a page, a PDF or an image: scaled to the device's resolution, centred
// across the page, one inch from its top (or at the top of a device no taller than the sheet).
void RenderResultSheet(QPaintDevice &device, const ResultSheet &sheet);

// The sheet as a one-page A4 PDF document.
QByteArray ResultSheetPdf(const ResultSheet &sheet);

} // namespace morva
