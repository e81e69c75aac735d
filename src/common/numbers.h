#pragma once

#include <QString>

#include <optional>

namespace morva {

// Numbers kept as text (theme number, answers, scores, the hand-over flag) are read as the
// number the text begins with: leading blanks are skipped, an optional sign, digits with an
// optional decimal point and exponent; reading stops at the first character that cannot
// belong to the number. A text that does not begin with a number reads as 0.
// Persian and Arabic-Indic digits count as digits.
double LeadingNumber(const QString &text);

// The number a text holds when it holds nothing else (blanks around it aside), read as
// LeadingNumber reads it, Persian digits included; nothing for an empty text or one with anything
// beside the number ("42 سال", "سی").
std::optional<double> WholeNumber(const QString &text);

} // namespace morva
