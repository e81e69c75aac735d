#pragma once

#include <QStringList>

namespace morva {

// Sorts names in Persian alphabetical order; names the order finds equal keep a fixed order.
void SortInPersianOrder(QStringList &names);

} // namespace morva
