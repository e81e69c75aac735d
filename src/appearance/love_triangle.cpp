#include "appearance/love_triangle.h"

#include "questionnaire/item_bank.h"
#include "scoring/love_type.h"

#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>

namespace morva {
namespace {

const QColor kInk(52, 58, 64);
const QColor kMuted(108, 117, 125);

// Sizes as shares of the triangle's side: a caption's height and its distance from the drawing.
constexpr qreal kBlock = 0.15;
constexpr qreal kGap = 0.03;

struct Corner {
    QString component;
    LoveType alone;
    QColor colour;
};

// One or two lines of text centred on a point: a heading and, below it, a smaller line.
struct Caption {
    QString heading;
    QColor headingColour;
    QString detail;
};

class TrianglePainter {
public:
    TrianglePainter(QPainter &painter, const QRectF &area)
        : p_(painter), side_(std::min(area.width() / 1.5, area.height() / 1.3))
    {
        // The captions above the apex and below the base, and the triangle between them.
        const qreal height = side_ * std::sqrt(3.0) / 2.0;
        const qreal caption = (kBlock + kGap) * side_;
        const qreal top = area.center().y() - (2.0 * caption + height) / 2.0 + caption;
        apex_ = {area.center().x(), top};
        left_ = {area.center().x() - side_ / 2.0, top + height};
        right_ = {area.center().x() + side_ / 2.0, top + height};
    }

    void paint(const QRectF &area)
    {
        const Corner corners[3] = {
            {ComponentLabel(ItemComponent::Intimacy), LoveType::Liking, QColor(194, 37, 92)},
            {ComponentLabel(ItemComponent::Passion), LoveType::Infatuation, QColor(232, 89, 12)},
            {ComponentLabel(ItemComponent::Commitment), LoveType::EmptyLove, QColor(24, 100, 171)},
        };
        card(area);
        triangle(corners);
        const qreal block = kBlock * side_;
        const qreal gap = kGap * side_;
        corner(corners[0], QRectF(apex_.x() - 0.3 * side_, apex_.y() - gap - block, 0.6 * side_, block));
        corner(corners[1], QRectF(left_.x() - 0.21 * side_, left_.y() + gap, 0.42 * side_, block));
        corner(corners[2], QRectF(right_.x() - 0.21 * side_, right_.y() + gap, 0.42 * side_, block));

        const QPointF leftMiddle = (apex_ + left_) / 2.0;
        const QPointF rightMiddle = (apex_ + right_) / 2.0;
        const qreal width = 0.46 * side_;
        text(QRectF(leftMiddle.x() - 0.07 * side_ - width, leftMiddle.y() - block / 2, width, block),
             Qt::AlignRight | Qt::AlignAbsolute, pair(LoveType::RomanticLove, corners[0], corners[1]));
        text(QRectF(rightMiddle.x() + 0.07 * side_, rightMiddle.y() - block / 2, width, block),
             Qt::AlignLeft | Qt::AlignAbsolute, pair(LoveType::CompanionateLove, corners[0], corners[2]));
        text(QRectF(apex_.x() - 0.28 * side_, left_.y() + gap, 0.56 * side_, block), Qt::AlignHCenter,
             pair(LoveType::FatuousLove, corners[1], corners[2]));

        const QPointF middle = (apex_ + left_ + right_) / 3.0;
        heart(QPointF(middle.x(), middle.y() - 0.13 * side_), 0.1 * side_);
        text(QRectF(middle.x() - 0.3 * side_, middle.y() - 0.06 * side_, 0.6 * side_, block), Qt::AlignHCenter,
             {LoveTypeLabel(LoveType::ConsummateLove), QColor(166, 30, 77),
              corners[0].component + QStringLiteral(" + ") + corners[1].component + QStringLiteral(" + ")
                  + corners[2].component});
    }

private:
    QFont font(qreal share, bool bold) const
    {
        QFont f(QStringLiteral("Nazli"));
        f.setPixelSize(std::max(1, qRound(share * side_)));
        f.setBold(bold);
        return f;
    }

    static Caption pair(LoveType type, const Corner &a, const Corner &b)
    {
        return {LoveTypeLabel(type), kInk, a.component + QStringLiteral(" + ") + b.component};
    }

    void card(const QRectF &area)
    {
        p_.setPen(QPen(QColor(222, 196, 196), std::max(1.0, side_ / 300.0)));
        p_.setBrush(QColor(255, 252, 250));
        const qreal radius = side_ / 25.0;
        p_.drawRoundedRect(area.adjusted(1, 1, -1, -1), radius, radius);
    }

    void triangle(const Corner (&corners)[3])
    {
        QPolygonF shape;
        shape << apex_ << left_ << right_;
        QLinearGradient fill(apex_, QPointF(apex_.x(), left_.y()));
        fill.setColorAt(0.0, QColor(252, 228, 236));
        fill.setColorAt(1.0, QColor(255, 244, 230));
        p_.setPen(QPen(QColor(166, 30, 77), side_ / 120.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p_.setBrush(fill);
        p_.drawPolygon(shape);
        const QPointF points[3] = {apex_, left_, right_};
        for (int i = 0; i < 3; ++i) {
            p_.setPen(QPen(Qt::white, side_ / 160.0));
            p_.setBrush(corners[i].colour);
            p_.drawEllipse(points[i], side_ / 32.0, side_ / 32.0);
        }
    }

    void corner(const Corner &c, const QRectF &rect)
    {
        text(rect, Qt::AlignHCenter, {c.component, c.colour, u'(' + LoveTypeLabel(c.alone) + u')'});
    }

    void text(const QRectF &rect, Qt::Alignment horizontal, const Caption &caption)
    {
        const QRectF upper(rect.left(), rect.top(), rect.width(), rect.height() * 0.55);
        const QRectF lower(rect.left(), upper.bottom(), rect.width(), rect.height() * 0.45);
        p_.setFont(font(0.056, true));
        p_.setPen(caption.headingColour);
        p_.drawText(upper, int(horizontal | Qt::AlignVCenter), caption.heading);
        p_.setFont(font(0.045, false));
        p_.setPen(kMuted);
        p_.drawText(lower, int(horizontal | Qt::AlignVCenter), caption.detail);
    }

    void heart(const QPointF &centre, qreal size)
    {
        QPainterPath path;
        const qreal x = centre.x();
        const qreal y = centre.y();
        path.moveTo(x, y + size * 0.45);
        path.cubicTo(x - size * 1.1, y - size * 0.2, x - size * 0.45, y - size * 0.95, x, y - size * 0.35);
        path.cubicTo(x + size * 0.45, y - size * 0.95, x + size * 1.1, y - size * 0.2, x, y + size * 0.45);
        p_.setPen(Qt::NoPen);
        p_.setBrush(QColor(224, 49, 110, 200));
        p_.drawPath(path);
    }

    QPainter &p_;
    qreal side_;
    QPointF apex_;
    QPointF left_;
    QPointF right_;
};

} // namespace

void PaintLoveTriangle(QPainter &painter, const QRectF &area)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.setLayoutDirection(Qt::RightToLeft);
    TrianglePainter(painter, area).paint(area);
    painter.restore();
}

} // namespace morva
