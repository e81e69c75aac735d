#include "scoring/ui/triangle_chart.h"

#include <QPainter>

namespace morva {

TriangleChart::TriangleChart(QWidget *parent) : QLabel(parent)
{
    setObjectName(QStringLiteral("TriangleChart"));
}

void TriangleChart::showSubject(const ChartSubject &subject)
{
    subject_ = subject;
    partner_.reset();
    earlier_.reset();
    update();
}

void TriangleChart::showPartner(const ChartSubject &partner)
{
    partner_ = partner;
    earlier_.reset();
    update();
}

void TriangleChart::showEarlier(const std::optional<Earlier> &earlier)
{
    earlier_ = earlier;
    partner_.reset();
    update();
}

// The skin's text colour for lines and names and its highlight for the subject. The partner is
// orange, or teal where the highlight is itself warm, and the earlier session violet, or green
// where the highlight is itself violet, so that no two triangles look alike.
void TriangleChart::paintEvent(QPaintEvent *)
{
    const QColor ink = palette().color(QPalette::WindowText);
    QColor faint = ink;
    faint.setAlpha(90);
    const QColor highlight = palette().color(QPalette::Highlight);
    const int hue = highlight.hslHue();
    const bool warm = hue >= 0 && (hue < 60 || hue > 330);
    const bool violet = hue >= 250 && hue <= 330;

    std::optional<ChartTriangle> subject, over;
    if (subject_)
        subject = ChartTriangle{subject_->scores, highlight, LegendName(*subject_)};
    if (subject_ && partner_) {
        over = ChartTriangle{partner_->scores, warm ? QColor(0, 150, 160) : QColor(235, 120, 0), LegendName(*partner_)};
    } else if (subject_ && earlier_) {
        subject->legend = earlier_->shownLegend;
        over = ChartTriangle{earlier_->scores, violet ? QColor(40, 160, 70) : QColor(150, 70, 200), earlier_->legend};
    }
    QPainter painter(this);
    PaintScoreTriangle(painter, QRectF(rect()).adjusted(4, 4, -4, -4), {ink, faint}, subject, over);
}

} // namespace morva
