#include "scoring/score_triangle.h"

#include "common/persian_digits.h"
#include "questionnaire/item_bank.h"
#include "scoring/love_type.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPolygonF>
#include <QTextOption>

#include <algorithm>
#include <cmath>
#include <functional>
#include <vector>

namespace morva {
namespace {

// The unit directions of the three axes.
const QPointF kUp(0, -1);
const QPointF kLowerLeft(-std::sqrt(3.0) / 2, 0.5);
const QPointF kLowerRight(std::sqrt(3.0) / 2, 0.5);

double Reach(double score)
{
    return std::clamp((score - kLowestScore) / (kHighestScore - kLowestScore), 0.0, 1.0);
}

TriangleCorners Corners(double intimacy, double passion, double commitment)
{
    return {kUp * Reach(intimacy), kLowerLeft * Reach(passion), kLowerRight * Reach(commitment)};
}

// The chart's frame: the centre and the length of an axis, in area.
struct Frame {
    QPointF centre;
    double radius;
    QPointF at(const QPointF &unit) const { return centre + unit * radius; }
    QPolygonF polygon(const TriangleCorners &c) const { return QPolygonF({at(c.intimacy), at(c.passion), at(c.commitment)}); }
};

QColor Soft(QColor colour, int alpha)
{
    colour.setAlpha(alpha);
    return colour;
}

// A triangle's outline: solid, or of round dots, which do not read as the cut-offs' dashes.
QPen OutlinePen(const ChartTriangle &triangle, double width)
{
    QPen pen(triangle.colour, width);
    if (triangle.dotted) {
        pen.setCapStyle(Qt::RoundCap);
        pen.setDashPattern({0.01, 2.2});
    }
    return pen;
}

// A label of two lines (the component's name, the subject's sum) centred on a point.
void AxisLabel(QPainter &painter, const QPointF &anchor, const QString &name, const QString &sum, double lineHeight)
{
    const QRectF box(anchor.x() - 2 * lineHeight, anchor.y() - lineHeight, 4 * lineHeight, 2 * lineHeight);
    painter.drawText(QRectF(box.left(), box.top(), box.width(), lineHeight), Qt::AlignCenter, name);
    if (!sum.isEmpty())
        painter.drawText(QRectF(box.left(), box.top() + lineHeight, box.width(), lineHeight), Qt::AlignCenter, sum);
}

// One line of the legend: its sample (a swatch in a subject's colour, or the dashed line) in the
// legend's right-hand column, where a Persian line begins, and its words to the left of it.
void LegendLine(QPainter &painter, double sampleRight, double y, double line, double sampleWidth, const QColor &ink,
                const QString &words, const std::function<void(const QRectF &sample)> &sample)
{
    const double size = 0.7 * line;
    sample(QRectF(sampleRight - sampleWidth, y + (line - size) / 2, sampleWidth, size));
    painter.setPen(ink);
    const double right = sampleRight - sampleWidth - 0.4 * line;
    const double width = QFontMetricsF(painter.font()).horizontalAdvance(words) + line;
    QTextOption option(Qt::AlignRight | Qt::AlignAbsolute | Qt::AlignVCenter);
    option.setTextDirection(Qt::RightToLeft);
    option.setWrapMode(QTextOption::NoWrap);
    painter.drawText(QRectF(right - width, y, width, line), words, option);
}

} // namespace

QString LegendName(const ChartSubject &subject)
{
    // Isolated in its own direction: a Latin code, or one of digits alone, reads left to right.
    const QString code = QChar(subject.code.isRightToLeft() ? 0x2067 : 0x2066) + subject.code + QChar(0x2069);
    if (subject.name.trimmed().isEmpty())
        return code;
    return subject.name.trimmed() + QStringLiteral(" (") + code + u')';
}

QString CutOffLegend()
{
    return QStringLiteral("نمره‌های برش");
}

double ScoreReach(int score)
{
    return Reach(score);
}

TriangleCorners CornersOf(const ComponentScores &scores)
{
    return Corners(scores.intimacy, scores.passion, scores.commitment);
}

TriangleCorners CutOffCorners()
{
    return CornersOf(kCutOffs);
}

void PaintScoreTriangle(QPainter &painter, const QRectF &area, const ChartColours &colours,
                        const std::optional<ChartTriangle> &subject, const std::optional<ChartTriangle> &over)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    const QFontMetricsF metrics(painter.font());
    const double line = metrics.height();
    double label = metrics.horizontalAdvance(QStringLiteral("000"));
    for (const ItemComponent component : kItemComponents)
        label = std::max(label, metrics.horizontalAdvance(ComponentLabel(component)));
    // Room for two lines of label above the top and below the lower corners, half a label beside
    // the lower corners, and the legend.
    const int legendLines = over && subject ? 3 : 1;
    const double legend = (legendLines * 1.1 + 0.3) * line;
    const double radius = std::max(0.0, std::min({(area.height() - legend - 4.4 * line) / 1.5,
                                                  (area.width() - label - line) / std::sqrt(3.0)}));
    const Frame frame{QPointF(area.center().x(), area.top() + 2.2 * line + radius), radius};
    const double pen = std::max(1.0, radius / 90);

    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(colours.faint, pen));
    painter.drawPolygon(frame.polygon(Corners(kHighestScore, kHighestScore, kHighestScore)));
    for (const QPointF &axis : {kUp, kLowerLeft, kLowerRight})
        painter.drawLine(frame.centre, frame.at(axis));
    painter.setPen(QPen(colours.ink, pen, Qt::DashLine));
    painter.drawPolygon(frame.polygon(CutOffCorners()));

    for (const auto *triangle : {&subject, &over}) {
        if (!*triangle)
            continue;
        painter.setPen(OutlinePen(**triangle, 2 * pen));
        painter.setBrush((*triangle)->dotted ? QBrush() : QBrush(Soft((*triangle)->colour, 60)));
        painter.drawPolygon(frame.polygon(CornersOf((*triangle)->scores)));
    }

    painter.setPen(colours.ink);
    const auto sum = [&](int ComponentScores::*part) {
        return subject ? PersianDigits(QString::number((*subject).scores.*part)) : QString();
    };
    AxisLabel(painter, frame.at(kUp) - QPointF(0, 1.2 * line), ComponentLabel(ItemComponent::Intimacy), sum(&ComponentScores::intimacy), line);
    AxisLabel(painter, frame.at(kLowerLeft) + QPointF(0, 1.3 * line), ComponentLabel(ItemComponent::Passion), sum(&ComponentScores::passion), line);
    AxisLabel(painter, frame.at(kLowerRight) + QPointF(0, 1.3 * line), ComponentLabel(ItemComponent::Commitment),
              sum(&ComponentScores::commitment), line);

    // The legend under the chart, its lines centred as one block.
    std::vector<ChartTriangle> named;
    if (over && subject)
        named = {*subject, *over};
    const double dashes = 1.6 * line;
    double widest = dashes + metrics.horizontalAdvance(CutOffLegend());
    for (const ChartTriangle &triangle : named)
        widest = std::max(widest, dashes + metrics.horizontalAdvance(triangle.legend));
    const double sampleRight = std::min(area.right(), area.center().x() + (widest + 0.4 * line) / 2);
    double y = frame.centre.y() + 0.5 * radius + 2.7 * line;
    LegendLine(painter, sampleRight, y, line, dashes, colours.ink, CutOffLegend(), [&](const QRectF &sample) {
        painter.setPen(QPen(colours.ink, pen, Qt::DashLine));
        painter.drawLine(QPointF(sample.left(), sample.center().y()), QPointF(sample.right(), sample.center().y()));
    });
    for (const ChartTriangle &triangle : named) {
        y += 1.1 * line;
        LegendLine(painter, sampleRight, y, line, 0.7 * line, colours.ink, triangle.legend, [&](const QRectF &sample) {
            painter.setPen(OutlinePen(triangle, triangle.dotted ? 2 * pen : pen));
            painter.setBrush(triangle.dotted ? QBrush() : QBrush(Soft(triangle.colour, 90)));
            painter.drawRect(sample);
        });
    }
    painter.restore();
}

} // namespace morva
