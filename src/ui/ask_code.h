#pragma once

#include <QString>

#include <optional>

class QWidget;

namespace morva {

// Asks for a subject's code in an input box and gives it as codes are stored (NormalizedCode).
// An empty answer, or a cancelled box, is refused with a prompt and gives nothing.
std::optional<QString> AskSubjectCode(QWidget *owner, const QString &prompt, const QString &title);

} // namespace morva
