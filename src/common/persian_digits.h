#pragma once

#include <QString>

namespace morva {

// Persian text shown to people writes its numbers in Persian digits (U+06F0 to U+06F9); stored
// values and exported files keep Latin digits. These turn a value into its Persian form at the
// moment it is shown.

// The text with every Latin digit 0 to 9 written as its Persian digit; all else stays.
QString PersianDigits(const QString &text);

// A number in Persian digits, with that many decimals after the Persian decimal sign «٫»
// (U+066B): 6.466 with two decimals is «۶٫۴۷».
QString PersianNumber(double value, int decimals = 0);

} // namespace morva
