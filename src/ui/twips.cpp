#include "ui/twips.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include <cmath>

namespace morva {

int TwipsToPixels(int twips)
{
    const QScreen *screen = QGuiApplication::primaryScreen();
    const double dpi = screen ? screen->logicalDotsPerInch() : 96.0;
    return static_cast<int>(std::lround(twips * dpi / 1440.0));
}

QRect TwipsRect(int left, int top, int width, int height)
{
    return {TwipsToPixels(left), TwipsToPixels(top), TwipsToPixels(width), TwipsToPixels(height)};
}

QRect TwipsRect(const QRect &twips)
{
    return TwipsRect(twips.x(), twips.y(), twips.width(), twips.height());
}

QPoint TwipsPoint(int left, int top)
{
    return {TwipsToPixels(left), TwipsToPixels(top)};
}

void PlaceOnScreen(QWidget *window, int left, int top)
{
    window->move(TwipsPoint(left, top));
}

} // namespace morva
