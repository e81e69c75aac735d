#pragma once

#include "records/subject.h"
#include "scoring/score_report.h"
#include "scoring/sheet_page.h"

#include <QString>
#include <QStringList>

namespace morva {

// What the clinician's sheet for the case file holds: everything about one scored subject.
struct ClinicianSheet {
    QString clinicName;
    Subject subject;
    QString scoringDate; // Persian, with the weekday and the month's name
    AnswerSheet answers;
};

// The clinician's sheet: one A4 page marked confidential, right to left, in black text and Persian
// digits (the code as typed), with the particulars, the three sums with their range and means per
// item against their cut-offs and levels and how the levels are read, the subject's triangle, the
// love type and its explanation, the 45 answers grouped by component and notes on how they were
// given.
class ClinicianSheetDocument : public SheetDocument {
public:
    explicit ClinicianSheetDocument(const ClinicianSheet &sheet);

    const ClinicianSheet &sheet() const { return sheet_; }
    QSizeF bandSize() const override;
    QString title() const override;
    QString name() const override;
    void paint(const SheetPainter &painter) const override;

private:
    void paintParticulars(const SheetPainter &painter) const;
    void paintScores(const SheetPainter &painter) const;
    void paintAnswers(const SheetPainter &painter) const;

    ClinicianSheet sheet_;
    ScoreReport report_;
};

} // namespace morva
