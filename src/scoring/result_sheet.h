#pragma once

#include "scoring/sheet_page.h"

#include <QString>

namespace morva {

// What the one-page result sheet prints: the clinic, the subject's particulars and the
// explanation of the love type. No code, score or beloved's name is on it.
struct ResultSheet {
    QString clinicName;
    QString firstName;
    QString lastName;
    QString age;
    QString education;
    QString date;     // of the registration
    QString testDate; // of the administration the sheet shows, as SessionDateText writes it
    QString explanation;
    QString address;
};

// The result sheet on its band of 7065 by 8775 twips: a frame drawn in fine grey lines for
// black-and-white printers, the clinic's name and the title line at the top, the headings and
// the subject's values in a table (age and date in Persian digits), the explanation in its box,
// the address and a note at the foot saying that the sheet is a summary of the answers, not a
// diagnosis, to be gone over with the counsellor.
class ResultSheetDocument : public SheetDocument {
public:
    explicit ResultSheetDocument(const ResultSheet &sheet) : sheet_(sheet) {}

    const ResultSheet &sheet() const { return sheet_; }
    QSizeF bandSize() const override;
    QString title() const override;
    QString name() const override;
    void paint(const SheetPainter &painter) const override;

private:
    ResultSheet sheet_;
};

} // namespace morva
