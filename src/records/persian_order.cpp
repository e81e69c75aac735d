#include "records/persian_order.h"

#include <QCollator>
#include <QLocale>

#include <algorithm>

namespace morva {

void SortInPersianOrder(QStringList &names)
{
    QCollator persian(QLocale(QLocale::Persian, QLocale::Iran));
    std::sort(names.begin(), names.end(), [&persian](const QString &a, const QString &b) {
        const int order = persian.compare(a, b);
        return order != 0 ? order < 0 : a < b;
    });
}

} // namespace morva
