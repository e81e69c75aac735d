#pragma once

#include "scoring/score_triangle.h"

#include <QLabel>

#include <optional>

namespace morva {

// The subject's triangle as a chart, in the colours of the applied skin. Another triangle can be
// laid over it: a second subject's (the partner in couples counselling), or the subject's own at
// an earlier session. A label without text to the skins, so that its lines and names take the
// colour every skin gives the window's labels.
class TriangleChart : public QLabel {
    Q_OBJECT

public:
    // The subject at an earlier session, and what the legend calls that session and the shown one.
    struct Earlier {
        ComponentScores scores;
        QString legend;
        QString shownLegend;
    };

    explicit TriangleChart(QWidget *parent = nullptr);

    // A new subject replaces the old one and clears what lay over it.
    void showSubject(const ChartSubject &subject);
    // Each replaces the other over the subject.
    void showPartner(const ChartSubject &partner);
    void showEarlier(const std::optional<Earlier> &earlier);
    const std::optional<ChartSubject> &subject() const { return subject_; }
    const std::optional<ChartSubject> &partner() const { return partner_; }
    const std::optional<Earlier> &earlier() const { return earlier_; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    std::optional<ChartSubject> subject_;
    std::optional<ChartSubject> partner_;
    std::optional<Earlier> earlier_;
};

} // namespace morva
