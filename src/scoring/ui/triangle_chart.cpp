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
    update();
}

void TriangleChart::showPartner(const ChartSubject &partner)
{
    partner_ = partner;
    update();
}

// The skin's text colour for lines and names, its highlight for the subject, and for the partner
// an orange, or a teal where the highlight is itself warm, so that the two never look alike.
ChartColours TriangleChart::colours() const
{
    const QColor ink = palette().color(QPalette::WindowText);
    QColor faint = ink;
    faint.setAlpha(90);
    const QColor subject = palette().color(QPalette::Highlight);
    const int hue = subject.hslHue();
    const bool warm = hue >= 0 && (hue < 60 || hue > 330);
    return {ink, faint, subject, warm ? QColor(0, 150, 160) : QColor(235, 120, 0)};
}

void TriangleChart::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    PaintScoreTriangle(painter, QRectF(rect()).adjusted(4, 4, -4, -4), colours(), subject_, partner_);
}

} // namespace morva
