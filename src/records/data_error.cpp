#include "records/data_error.h"

namespace morva {

DataError::DataError(const QString &userText, const QString &detail)
    : std::runtime_error(userText.toStdString()), userText_(userText), detail_(detail)
{
}

QString DataError::fullText() const
{
    if (detail_.isEmpty())
        return userText_;
    return userText_ + QStringLiteral("\n\n") + detail_;
}

} // namespace morva
