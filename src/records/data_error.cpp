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

SubjectGone::SubjectGone()
    : DataError(QStringLiteral("این آزمودنی در این فاصله (از پنجره‌ای دیگر یا در اتاق دیگری از کلینیک) حذف شده است، از "
                               "این رو چیزی ذخیره نشد. لطفاً این پنجره را ببندید و دوباره باز کنید."))
{
}

} // namespace morva
