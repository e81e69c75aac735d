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

// The share of its axis that a score reaches, 0 for 15 and below, 1 for 135 and above.
double ScoreReach(int score);
TriangleCorners CornersOf(const ComponentScores &scores);
// The line between low and high: the cut-offs of the love types.
TriangleCorners CutOffCorners();

// One subject's triangle on a chart.
struct ChartSubject {
    QString code;
    ComponentScores scores;
    QString name = {}; // first and last name, as registered
};

// How the legend names a subject: the name with the code after it, or the code alone.
QString LegendName(const ChartSubject &subject);
// What the legend calls the dashed triangle.
QString CutOffLegend();

// The chart's lines; each triangle brings its own colour.
struct ChartColours {
    QColor ink;   // axes, labels, outlines
    QColor faint; // the full scale
};

// A triangle as the chart draws it: the sums, the colour, and what the legend calls it when
// another triangle lies over it. A dotted one is drawn as its outline alone, without a fill, so
// that on paper in black and white it stays apart from a filled one.
struct ChartTriangle {
    ComponentScores scores;
    QColor colour;
    QString legend = {};
    bool dotted = false;
};

// Paints the chart in area: the faint full-scale triangle, the cut-offs dashed, the axes with
// their Persian names and the subject's sums in Persian digits, the subject's triangle filled
// softly and, when given, another triangle over it (a partner's, or the subject's at an earlier
// session). A legend under the chart names the dashed triangle and, with a second triangle, both
// triangles by their colours. Nothing but the axes, the guides and their legend without a
// subject. Drawn as lines and text, so it stays sharp at any scale; the names are placed inside
// area.
void PaintScoreTriangle(QPainter &painter, const QRectF &area, const ChartColours &colours,
                        const std::optional<ChartTriangle> &subject, const std::optional<ChartTriangle> &over = {});

} // namespace morva
