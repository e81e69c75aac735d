#pragma once

#include "records/answer_sheet.h"

#include <QStringList>

namespace morva {

// Plain-language notes for the clinician on how a subject's 45 answers were given, in Persian
// digits: every answer the same (a response pattern worth discussing with the subject), or fewer
// than three different answers within one component or more, each named with its answers in one
// note. Empty when neither applies.
QStringList ResponseNotes(const AnswerSheet &answers);

} // namespace morva
