#pragma once

#include <QString>

#include <optional>

namespace morva {

// Persian text shown to people writes its numbers in Persian digits (U+06F0 to U+06F9); stored
// values and exported files keep Latin digits. These turn a value into its Persian form at the
// moment it is shown.

// The text with every Latin digit 0 to 9 written as its Persian digit; all else stays.
QString PersianDigits(const QString &text);

// A number in Persian digits, with that many decimals after the Persian decimal sign «٫»
// (U+066B): 6.466 with two decimals is «۶٫۴۷».
QString PersianNumber(double value, int decimals = 0);

// A figure of a statistics table, as PersianNumber writes it, or a dash «—» where there is none.
// A negative figure has a minus sign (U+2212) after a left-to-right mark, so that in right-to-left
// text the sign stays on the left of its digits, where Persian writes it; a figure that rounds to
// zero has no sign.
QString PersianFigure(std::optional<double> value, int decimals);
// A p-value with three decimals, «< ۰٫۰۰۱» below 0.001, a dash where there is none.
QString PersianPValue(std::optional<double> p);

} // namespace morva
