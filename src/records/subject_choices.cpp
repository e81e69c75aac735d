#include "records/subject_choices.h"

namespace morva {

const QStringList &MaritalStatuses()
{
    static const QStringList values{QStringLiteral("مجرد"), QStringLiteral("متأهل"), QStringLiteral("مطلقه"),
                                    QStringLiteral("بيوه")};
    return values;
}

const QStringList &Genders()
{
    static const QStringList values{QStringLiteral("مرد"), QStringLiteral("زن")};
    return values;
}

const QStringList &Groups()
{
    static const QStringList values{QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("C"), QStringLiteral("D"),
                                    QStringLiteral("E"), QStringLiteral("F"), QStringLiteral("G")};
    return values;
}

} // namespace morva
