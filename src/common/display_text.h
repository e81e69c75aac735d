#pragma once

#include <QString>

namespace morva {

// A text set inside a Persian sentence in a direction of its own (a path, a code, a name in Latin
// letters): between a first-strong isolate and its end, so that it neither flips nor moves the
// words around it.
QString Isolated(const QString &text);

// A stored or typed text as a tooltip shows it: exactly as it is, blanks kept. A tooltip reads a
// text that looks like tags as markup (a name "<img src=...>" would be loaded), so the text goes
// in escaped.
QString PlainToolTip(const QString &text);

} // namespace morva
