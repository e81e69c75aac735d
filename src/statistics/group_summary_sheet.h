#pragma once

#include "scoring/sheet_page.h"
#include "statistics/group_comparison.h"
#include "statistics/group_summary.h"

#include <QString>

namespace morva {

// What the summary of the groups shows: the figures of each group and of all together, and the
// comparison of two chosen groups.
struct GroupSummarySheet {
    QString clinicName;
    QString date;  // the day it was made, as the program shows dates
    QString scope; // which subjects it stands on, in a few Persian words
    GroupSummaries summaries;
    int first = 0; // the groups compared, by their place in Groups()
    int second = 1;
};

// The summary on one page, for the window and for paper alike: the scores of each group (mean and
// standard deviation of each component's sum and of its mean per item, and the median), a chart
// of the groups' means with their standard deviations, each group's love types, and the
// comparison of the two chosen groups.
class GroupSummaryDocument : public SheetDocument {
public:
    explicit GroupSummaryDocument(const GroupSummarySheet &sheet);

    QSizeF bandSize() const override;
    QString title() const override;
    QString name() const override;
    void paint(const SheetPainter &painter) const override;

private:
    void paintScores(const SheetPainter &painter, double top) const;
    void paintChart(const SheetPainter &painter, double top) const;
    void paintLoveTypes(const SheetPainter &painter, double top) const;
    void paintComparison(const SheetPainter &painter, double top) const;

    GroupSummarySheet sheet_;
    GroupComparison comparison_;
};

} // namespace morva
