#include "common/bidi.h"

namespace morva {

QString Isolated(const QString &text)
{
    return QChar(0x2068) + text + QChar(0x2069);
}

} // namespace morva
