#include "common/display_text.h"

namespace morva {

QString Isolated(const QString &text)
{
    return QChar(0x2068) + text + QChar(0x2069);
}

QString PlainToolTip(const QString &text)
{
    if (text.isEmpty())
        return {};
    return QStringLiteral("<p style=\"white-space:pre-wrap\">%1</p>").arg(text.toHtmlEscaped());
}

} // namespace morva
