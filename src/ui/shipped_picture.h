#pragma once

#include <QPixmap>

namespace morva {

// A picture the build made ready to draw (":/pixels/<name>.argb"), or its @2x twin on a screen of
// double density: shown without decoding a PNG, which would cost 2 to 3 ms each time it is
// shown. A null pixmap when there is no such picture.
QPixmap ShippedPicture(const QString &name);

} // namespace morva
