#pragma once

#include "scoring/scores.h"

#include <QColor>
#include <QPointF>
#include <QRectF>
#include <QString>

#include <optional>

class QPainter;

namespace morva {

// Where a subject's triangle has its corners: three axes from one centre, intimacy straight up,
// passion to the lower left and commitment to the lower right, 120 degrees apart. A score is
// placed along its axis on the scale from 15 (the centre) to 135 (the axis's end); the axes are
// one unit long, y grows downwards.
struct TriangleCorners {
    QPointF intimacy;
    QPointF passion;
    QPointF commitment;
};

constexpr int kLowestScore = 15;
constexpr int kHighestScore = 135;

// The share of its axis that a score reaches, 0 for 15 and below, 1 for 135 and above.
double ScoreReach(int score);
TriangleCorners CornersOf(const ComponentScores &scores);
// The line between low and high: the cut-offs of the love types.
TriangleCorners CutOffCorners();

// One subject's triangle on a chart: the code names it in the legend.
struct ChartSubject {
    QString code;
    ComponentScores scores;
};

struct ChartColours {
    QColor ink;     // axes, labels, outlines
    QColor faint;   // the full scale
    QColor subject; // the subject's triangle
    QColor partner; // the second subject's
};

// Paints the chart in area: the faint full-scale triangle, the cut-offs dashed, the axes with
// their Persian names and the subject's sums, the subject's triangle filled softly and, when
// given, a partner's triangle over it with a legend naming both codes. Nothing but the axes and
// the guides without a subject. Drawn as lines and text, so it stays sharp at any scale; the
// names are placed inside area.
void PaintScoreTriangle(QPainter &painter, const QRectF &area, const ChartColours &colours,
                        const std::optional<ChartSubject> &subject, const std::optional<ChartSubject> &partner = {});

} // namespace morva
