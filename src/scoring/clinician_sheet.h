#pragma once

#include "records/subject.h"
#include "scoring/score_report.h"
#include "scoring/session_history.h"
#include "scoring/sheet_page.h"

#include <QString>
#include <QStringList>

namespace morva {

// What the clinician's sheet for the case file holds: everything about one scored subject.
struct ClinicianSheet {
    QString clinicName;
    Subject subject;
    QString printDate; // as 1405/09/18, in Latin digits
    AnswerSheet answers; // of the session the sheet shows
    // Every scored session of the subject, the first first, and which of them the sheet shows;
    // none for answers without a session.
    QList<ScoredSession> sessions = {};
    qsizetype shown = -1;
};

// The clinician's sheet: one A4 page marked confidential, right to left, in black text and Persian
// digits (the code as typed), with the particulars, the three sums with their range and means per
// item against their cut-offs and levels and how the levels are read, the subject's triangle, the
// love type and its explanation, the 45 answers grouped by component and notes on how they were
// given. A subject tested more than once also gets the first session's triangle, dotted, over the
// shown one and a table of every session; the page grows by that table and prints a little smaller.
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
    void paintHistory(const SheetPainter &painter, double top) const;
    void paintAnswers(const SheetPainter &painter, double shift) const;
    // The height of the table of sessions with its heading; 0 for a subject tested once.
    double historyHeight() const;
    const ScoredSession *shownSession() const;

    ClinicianSheet sheet_;
    ScoreReport report_;
};

} // namespace morva
