#pragma once

#include <QRectF>

class QPainter;

namespace morva {

// Paints the triangle of love centred in area: intimacy at the top corner, passion at the bottom
// left and commitment at the bottom right, each with the love type it makes alone; beside each
// side the type its two corners make together; in the middle the type of all three. It is drawn
// as lines and text, so it stays sharp at any size and screen scale.
void PaintLoveTriangle(QPainter &painter, const QRectF &area);

} // namespace morva
