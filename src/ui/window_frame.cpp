#include "ui/window_frame.h"

#include "records/settings_store.h"
#include "ui/apply_theme.h"
#include "ui/bound_field.h"
#include "ui/twips.h"

#include <QLineEdit>
#include <QWidget>

namespace morva {

WindowFrame::WindowFrame(QWidget *window, Stores &stores, const Design &design)
    : window_(window), stores_(stores), loaded_(stores.settings.read())
{
    window->setObjectName(design.name);
    window->setWindowTitle(design.title);
    window->setFixedSize(TwipsToPixels(design.clientTwips.width()), TwipsToPixels(design.clientTwips.height()));
    // Themed before its controls exist, so that each is styled once, as it is made.
    ApplyTheme(window, loaded_.theme);
    themeField_ = HiddenField(window, design.themeField, loaded_.theme);
}

void WindowFrame::finishLoading(QPoint placeTwips) const
{
    PlaceOnScreen(window_, placeTwips.x(), placeTwips.y());
}

} // namespace morva
