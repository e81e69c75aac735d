#include "records/subject_code.h"


namespace morva {

QString NormalizedCode(const QString &typed)
{
    QString code = typed;
    for (QChar &c : code) {
        if (c.isDigit() && (c < u'0' || c > u'9') && c.digitValue() >= 0)
            c = QChar(u'0' + c.digitValue());
    }
    return code;
}

} // namespace morva
