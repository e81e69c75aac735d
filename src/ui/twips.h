#pragma once

#include <QPoint>
#include <QRect>

class QWidget;

namespace morva {

// Positions and sizes are designed in twips (1440 to the inch) and shown at the screen's
// logical resolution.
int TwipsToPixels(int twips);
QRect TwipsRect(int left, int top, int width, int height);
QRect TwipsRect(const QRect &twips);
QPoint TwipsPoint(int left, int top);
// Moves a top-level window so that its frame's top left corner is at (left, top) on the screen.
void PlaceOnScreen(QWidget *window, int left, int top);

} // namespace morva
